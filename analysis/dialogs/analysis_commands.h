// The "&Calc." menu's three commands: "&Relatedness ..." and "Permutation test ..." show the
// analysis dialog in its two modes, "I.C" the confidence-interval dialog. The dialogs are made
// once with the main window and live as long as it does, so their options carry over from one
// showing to the next.
#pragma once

#include <QObject>

namespace relakin {

class MainWindow;
class Tboots_jack;
class Tficres;

class AnalysisCommands : public QObject {
  Q_OBJECT

 public:
  // Child of `window`; connects its actions "Identit1", "Permutationsuridentit1" and "IC1".
  explicit AnalysisCommands(MainWindow& window);

  Tficres* ficres() const { return ficres_; }
  Tboots_jack* bootsJack() const { return bootsJack_; }

 private:
  MainWindow& window_;
  Tficres* ficres_;
  Tboots_jack* bootsJack_;
};

}  // namespace relakin
