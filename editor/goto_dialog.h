// "Aller à": the number of an individual or of a population to go to, each with its history of
// the numbers reached. Lives for the whole run; one of the two lists is shown at a time.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QStackedLayout;

namespace relakin {

class GotoDialog : public QDialog {
  Q_OBJECT

 public:
  explicit GotoDialog(QWidget* parent = nullptr);

  // Label and list for the next showing.
  void showIndividualMode();
  void showPopulationMode();

  QString individualText() const;
  QString populationText() const;
  // Adds a reached number to its history (rules in core/goto_target.h); the typed text stays.
  void recordIndividual(const QString& text);
  void recordPopulation(const QString& text);

  QLabel* label() const { return label_; }
  QComboBox* individualBox() const { return individuals_; }
  QComboBox* populationBox() const { return populations_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  static void Refill(QComboBox* box, const std::vector<std::string>& items, const QString& text);

  QLabel* label_;
  QComboBox* individuals_;
  QComboBox* populations_;
  QStackedLayout* lists_;
  QPushButton* ok_;
  QPushButton* cancel_;
  std::vector<std::string> individualHistory_;
  std::vector<std::string> populationHistory_;
};

}  // namespace relakin
