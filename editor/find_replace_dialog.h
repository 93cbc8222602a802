// The modeless Find ("FindDialog1") and Replace ("ReplaceDialog1") dialogs: the text to find and
// match case; Find also lets the user search up or down (down at first), Replace searches down
// and takes the replacement text. The buttons only signal; FindCommands does the work. The
// buttons that search stay disabled while the find text is empty.
#pragma once

#include <QDialog>

#include "core/cell_search.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace relakin {

class FindReplaceDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Kind { Find, Replace };

  FindReplaceDialog(Kind kind, QWidget* parent);

  Kind kind() const { return kind_; }
  QString findText() const;
  QString replaceText() const;  // empty for Find
  SearchOptions options() const;

  QLineEdit* findEdit() const { return find_; }
  QLineEdit* replaceEdit() const { return replace_; }  // null for Find
  QCheckBox* matchCaseBox() const { return matchCase_; }
  QRadioButton* upButton() const { return up_; }      // null for Replace
  QRadioButton* downButton() const { return down_; }  // null for Replace
  QPushButton* findNextButton() const { return findNext_; }
  QPushButton* replaceButton() const { return replaceOne_; }     // null for Find
  QPushButton* replaceAllButton() const { return replaceAll_; }  // null for Find
  QPushButton* cancelButton() const { return cancel_; }

 signals:
  void findNextClicked();
  void replaceClicked(bool all);

 private:
  void buildFields();
  void buildButtons();
  void textChanged();

  Kind kind_;
  QLineEdit* find_ = nullptr;
  QLineEdit* replace_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QRadioButton* up_ = nullptr;
  QRadioButton* down_ = nullptr;
  QPushButton* findNext_ = nullptr;
  QPushButton* replaceOne_ = nullptr;
  QPushButton* replaceAll_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace relakin
