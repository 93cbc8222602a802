// The Tools > Conversion submenu: "GENEPOP", "FSTAT" and "BIOSYS" ask for a file name through
// the export save dialog (SaveDialog2, filter per format, confirming before overwriting) and
// write the whole table there in that format, the path as chosen. Neither Modified, the file
// name nor the caption changes.
#pragma once

#include <QObject>

#include "formats/exports.h"

namespace relakin {

class MainWindow;

class ConversionCommands : public QObject {
  Q_OBJECT

 public:
  // Child of `window`; connects its actions "Genpop1", "Fstat1" and "BIOSYS1".
  explicit ConversionCommands(MainWindow& window);

  // The filter SaveDialog2 shows for a format.
  static const char* filter(ExportFormat format);

  // The whole command for one format; errors end it in the window's error box.
  void run(ExportFormat format);

 private:
  MainWindow& window_;
};

}  // namespace relakin
