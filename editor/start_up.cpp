#include "editor/start_up.h"

#include <QCoreApplication>

#include "analysis/random.h"
#include "widgets/prompts.h"

namespace relakin {

void StartUp() {
  ProcessRandom().Randomize();
  QCoreApplication::setApplicationName(kAppTitle);
}

}  // namespace relakin
