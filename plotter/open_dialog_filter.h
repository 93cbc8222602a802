// The file types offered by the open dialog.
#pragma once

#include <QString>

namespace vodave {

// "description|patterns|description|patterns...", patterns separated by ';', as the plotter
// has always listed them.
inline constexpr const char* kOpenDialogFilter =
    "Fichiers test sur fis|*.fis|Fichiers test sur fit|*.fit|Fichiers test sur fst|"
    "*.fst;*.RH;*.RHcor|Fichiers graphiques|*.gra|Tous fichiers|*.*";

// The same list as a QFileDialog filter ("description (patterns);;..."); "*.*" becomes "*" so
// that files without an extension show too.
QString QtFileFilter(const QString& filter);

}  // namespace vodave
