// The plotter's pictures, drawn in code so that the program needs no resource file.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace vodave {

// A small histogram with one red bar: the program's icon (32 x 32).
QPixmap ProgramPixmap();
QIcon ProgramIcon();
// A printer, for the print button (16 x 16).
QIcon PrinterIcon();

}  // namespace vodave
