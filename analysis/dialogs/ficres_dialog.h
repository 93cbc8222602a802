// The analysis dialog of the relatedness matrix and of the permutation test. Its caption is its
// mode: "Relatedness" runs the matrix; any other caption ("Permutation test") shows the
// permutation controls and runs the test.
#pragma once

#include "analysis/dialogs/analysis_dialog.h"

namespace relakin {

class Tficres : public AnalysisDialog {
  Q_OBJECT

 public:
  Tficres(Document& doc, Prompts& prompts, QWidget* parent = nullptr);

  QSpinBox* nbperm() const { return nbperm_; }
  QLabel* Label3() const { return Label3_; }
  RadioGroup* type_perm() const { return type_perm_; }
  RadioGroup* type_sortie() const { return type_sortie_; }

 protected:
  void showModeControls() override;
  RunScratch runScratch() const override;
  void startRun(const std::string& resultName, RunContext& context) override;

 private:
  QSpinBox* nbperm_;
  QLabel* Label3_;
  RadioGroup* type_perm_;
  RadioGroup* type_sortie_;
};

}  // namespace relakin
