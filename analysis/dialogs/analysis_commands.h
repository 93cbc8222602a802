// The "&Calc." menu's three commands: "&Relatedness ..." and "Permutation test ..." show the
// analysis dialog in its two modes, "I.C" the confidence-interval dialog. The dialogs are made
// once with the main window and live as long as it does, so their options carry over from one
// showing to the next.
#pragma once

#include <QObject>
#include <functional>

class QAction;
class QWidget;

namespace relakin {

struct Document;
class Prompts;
class Tboots_jack;
class Tficres;

// What the commands need of the main window: its table, its prompts, its menu items and the
// guard every command runs through (which shows a failed command's error box).
class AnalysisWindow {
 public:
  virtual Document& document() = 0;
  virtual Prompts& prompts() const = 0;
  // The menu item named `name`; null when there is none.
  virtual QAction* action(const char* name) const = 0;
  // Runs `command`, showing any error it throws; false when it threw.
  virtual bool runGuarded(const std::function<void()>& command) = 0;

 protected:
  ~AnalysisWindow() = default;
};

class AnalysisCommands : public QObject {
  Q_OBJECT

 public:
  // The commands and their dialogs are children of `widget`, the main window's own widget;
  // connects its actions "Identit1", "Permutationsuridentit1" and "IC1". `window` must outlive
  // the commands.
  AnalysisCommands(AnalysisWindow& window, QWidget& widget);

  Tficres* ficres() const { return ficres_; }
  Tboots_jack* bootsJack() const { return bootsJack_; }

 private:
  AnalysisWindow& window_;
  Tficres* ficres_;
  Tboots_jack* bootsJack_;
};

}  // namespace relakin
