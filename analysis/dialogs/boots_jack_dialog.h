// The confidence-interval dialog: 95% limits of every pair's value by bootstrap or jackknife
// over loci.
#pragma once

#include "analysis/dialogs/analysis_dialog.h"

namespace relakin {

class Tboots_jack : public AnalysisDialog {
  Q_OBJECT

 public:
  Tboots_jack(Document& doc, Prompts& prompts, QWidget* parent = nullptr);

  RadioGroup* boo_or_jack() const { return boo_or_jack_; }

 protected:
  void startRun(const std::string& resultName, RunContext& context) override;

 private:
  RadioGroup* boo_or_jack_;
};

}  // namespace relakin
