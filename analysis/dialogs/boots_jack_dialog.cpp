#include "analysis/dialogs/boots_jack_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QSpinBox>

#include "analysis/confidence_run.h"
#include "core/selection_file.h"
#include "widgets/radio_group.h"

namespace relakin {

Tboots_jack::Tboots_jack(Document& doc, Prompts& prompts, QWidget* parent)
    : AnalysisDialog("boots_jack", doc, prompts, parent) {
  boo_or_jack_ = new RadioGroup("boo_or_jack", "Calc. C.I using", {"Bootstrap", "Jackknife"},
                                controls()->parentWidget());
  controls()->addWidget(boo_or_jack_, 2, 2, 1, 2);
  followLayoutInTabOrder();
}

void Tboots_jack::startRun(const std::string& resultName, RunContext& context) {
  RunConfidenceIntervals(kAnalysisFileName, resultName,
                         static_cast<std::uint16_t>(Indice()->itemIndex()),
                         static_cast<std::uint16_t>(precision()->value()), detail()->isChecked(),
                         static_cast<std::uint16_t>(boo_or_jack_->itemIndex()), context);
}

}  // namespace relakin
