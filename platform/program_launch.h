// Starting another program of the package (the plotter) without waiting for it.
#pragma once

#include <QString>

namespace relakin {

// The executable `name` in `ownDir` when there is one, else the one the PATH finds; empty when
// neither exists.
QString FindProgram(const QString& name, const QString& ownDir);

// Starts `name` (found beside this program first, then on the PATH) with no arguments and
// does not wait; false when it is not found or cannot be started.
bool StartProgram(const QString& name);

}  // namespace relakin
