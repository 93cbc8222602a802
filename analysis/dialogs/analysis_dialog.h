// What the relatedness / permutation dialog and the confidence-interval dialog share: the
// result name with its checks, the precision, the estimator, the data set to use, the three
// buttons, the close flag and the OK handler that has "temp.tmp" written and runs the analysis
// while the dialog stays open and modal.
//
// A dialog lives for the whole run, so the options keep their values between showings; montrer
// sets the caption and the proposed result name anew each time. The dialog closes only while
// its close flag is up: Cancel (or Escape) and a completed OK raise it, a refused OK lowers it.
#pragma once

#include <QDialog>
#include <QString>

#include "analysis/dialogs/result_name.h"
#include "analysis/run_context.h"
#include "core/document.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace relakin {

class Prompts;
class RadioGroup;

class AnalysisDialog : public QDialog {
  Q_OBJECT

 public:
  // `doc` and `prompts` must outlive the dialog. `name` is the form's object name.
  AnalysisDialog(const char* name, Document& doc, Prompts& prompts, QWidget* parent);

  // Sets the caption to ModeCaption, the controls of that mode and the proposed result name,
  // then shows the dialog modally (through Prompts::exec) until it closes. ProgramLabel and
  // Number are kept for nothing further.
  void montrer(const QString& ProgramLabel, const QString& ModeCaption, int Number);

  bool closeAllowed() const { return closeAllowed_; }

  QLineEdit* nomfich() const { return nomfich_; }
  QSpinBox* precision() const { return precision_; }
  QCheckBox* detail() const { return detail_; }
  RadioGroup* Indice() const { return Indice_; }
  RadioGroup* choix_trait() const { return choix_trait_; }
  QPushButton* OKBtn() const { return OKBtn_; }
  QPushButton* CancelBtn() const { return CancelBtn_; }
  QPushButton* HelpBtn() const { return HelpBtn_; }

 protected:
  // Shows or hides the mode's own controls for the caption just set.
  virtual void showModeControls() {}
  // The scratch files the run of the current mode writes, which its result may not overwrite.
  virtual RunScratch runScratch() const { return RunScratch::kNone; }
  // The run of this dialog, on "temp.tmp" and the result name (file-system bytes).
  virtual void startRun(const std::string& resultName, RunContext& context) = 0;

  // The grid inside the bevel: rows 0 .. 4, columns 0 and 1 hold the shared controls, columns
  // 2 and 3 are free for the dialog's own.
  QGridLayout* controls() const { return controls_; }
  // Tab goes through the grid's controls as the layout shows them, row by row and left to right
  // within a row, then to the buttons. Call once the dialog's own controls are in the grid.
  void followLayoutInTabOrder();
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 public slots:
  // Escape presses Cancel.
  void reject() override;

 private:
  void OKBtnClick();
  void CancelBtnClick();
  void SetDefaultResultName();
  // Steps 1 and 2 of OK, with the refused names: false when the name may not be used now.
  bool acceptResultName(const QString& name);
  // Has "temp.tmp" written (whole table or chosen subset); false after an error box.
  bool writeAnalysisFile();
  bool runAnalysis(const QString& name);
  void tell(const QString& text);

  Document& doc_;
  Prompts& prompts_;
  bool closeAllowed_ = false;
  QString programLabel_;
  QGridLayout* controls_;
  QLineEdit* nomfich_;
  QSpinBox* precision_;
  QCheckBox* detail_;
  RadioGroup* Indice_;
  RadioGroup* choix_trait_;
  QPushButton* OKBtn_;
  QPushButton* CancelBtn_;
  QPushButton* HelpBtn_;
};

// Spin edit of the analysis dialogs: an out-of-range number goes back into the range.
QSpinBox* MakeAnalysisSpin(QWidget* parent, const char* name, int min, int max, int step,
                           int value);

}  // namespace relakin
