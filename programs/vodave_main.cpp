// vodave: draws the histogram of a test-output file and shows its statistics.
// It reads no command-line argument of its own.
#include <QApplication>

#include "plotter/plotter_windows.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vodave::PlotterWindows windows;
  windows.Form1.show();
  return app.exec();
}
