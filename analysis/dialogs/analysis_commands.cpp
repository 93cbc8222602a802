#include "analysis/dialogs/analysis_commands.h"

#include <QAction>

#include "analysis/dialogs/boots_jack_dialog.h"
#include "analysis/dialogs/ficres_dialog.h"
#include "widgets/window_frame.h"

namespace relakin {

AnalysisCommands::AnalysisCommands(AnalysisWindow& window, QWidget& widget)
    : QObject(&widget),
      window_(window),
      ficres_(new Tficres(window.document(), window.prompts(), &widget)),
      bootsJack_(new Tboots_jack(window.document(), window.prompts(), &widget)) {
  setObjectName("AnalysisCommands");
  KeepFirstPlace(*ficres_);
  KeepFirstPlace(*bootsJack_);
  connect(window.action("Identit1"), &QAction::triggered, this, [this] {
    window_.runGuarded([this] { ficres_->montrer("calvenor.exe", "Relatedness", 9); });
  });
  connect(window.action("Permutationsuridentit1"), &QAction::triggered, this, [this] {
    window_.runGuarded([this] { ficres_->montrer("tessarune.exe", "Permutation test", 9); });
  });
  connect(window.action("IC1"), &QAction::triggered, this, [this] {
    window_.runGuarded([this] { bootsJack_->montrer("boots_or_jack", "Confidence Interval", 9); });
  });
}

}  // namespace relakin
