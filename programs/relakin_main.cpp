// relakin: the genotype-table editor with its relatedness analyses. Takes no arguments.
#include <QApplication>

#include "core/temporary_files.h"
#include "editor/main_window.h"
#include "editor/start_up.h"

int main(int argc, char** argv) {
  relakin::InstallTemporaryCleanup();
  QApplication app(argc, argv);
  relakin::StartUp();
  relakin::MainWindow window;
  window.showMaximized();
  return QApplication::exec();
}
