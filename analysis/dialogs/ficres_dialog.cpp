#include "analysis/dialogs/ficres_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

#include "analysis/permutation_run.h"
#include "analysis/relatedness_run.h"
#include "core/selection_file.h"
#include "widgets/radio_group.h"

namespace relakin {

Tficres::Tficres(Document& doc, Prompts& prompts, QWidget* parent)
    : AnalysisDialog("ficres", doc, prompts, parent) {
  QWidget* bevel = controls()->parentWidget();
  nbperm_ = MakeAnalysisSpin(bevel, "nbperm", 0, 1000, 5, 0);
  Label3_ = new QLabel("Number of permutations :", bevel);
  Label3_->setObjectName("Label3");
  Label3_->setBuddy(nbperm_);
  type_perm_ =
      new RadioGroup("type_perm", "Type of Permutation :", {"Genotypes", "Alleles"}, bevel);
  type_sortie_ = new RadioGroup("type_sortie", "Perform test on ", {"Means", "Variances"}, bevel);
  controls()->addWidget(Label3_, 1, 2);
  controls()->addWidget(nbperm_, 1, 3);
  controls()->addWidget(type_perm_, 2, 2, 1, 2);
  controls()->addWidget(type_sortie_, 3, 2, 1, 2);
  followLayoutInTabOrder();
}

void Tficres::showModeControls() {
  const bool relatedness = windowTitle() == "Relatedness";
  const bool permutation = windowTitle() == "Permutation test";
  nbperm_->setVisible(!relatedness);
  Label3_->setVisible(!relatedness);
  type_perm_->setVisible(permutation);
  type_sortie_->setVisible(permutation);
  Indice()->setVisible(true);
  detail()->setVisible(false);
}

RunScratch Tficres::runScratch() const {
  return windowTitle() == "Relatedness" ? RunScratch::kDistances : RunScratch::kPairVectors;
}

void Tficres::startRun(const std::string& resultName, RunContext& context) {
  const auto precision = static_cast<std::uint16_t>(this->precision()->value());
  const auto perms = static_cast<std::uint16_t>(nbperm_->value());
  const bool pairs = detail()->isChecked();
  const auto permType = static_cast<std::uint16_t>(type_perm_->itemIndex());
  const auto estimator = static_cast<std::uint16_t>(Indice()->itemIndex());
  const auto testOn = static_cast<std::uint16_t>(type_sortie_->itemIndex());
  if (windowTitle() == "Relatedness") {
    RunRelatedness(kAnalysisFileName, resultName, precision, perms, pairs, permType, estimator,
                   testOn, context);
  } else {
    RunPermutationTest(kAnalysisFileName, resultName, precision, perms, pairs, permType, estimator,
                       testOn, context);
  }
}

}  // namespace relakin
