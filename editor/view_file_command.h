// Tools > "&View File content ...": shows the file chosen in the open dialog. A page whose first
// line (or second, after an empty first) is "<HTML>" goes to the user's browser as a file://
// address; any other file opens in a ResultViewer window. Nothing is executed, and a text result
// is never handed to the desktop, which would pick a program by its extension.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace relakin {

class MainWindow;
class ResultViewer;
class UrlOpener;

// Shows the file at `path` as said above and returns the viewer window it opened, or null when
// the page went to the browser. A page that the desktop cannot open is shown in the viewer as
// well. Throws Error(Io) when the file cannot be read.
ResultViewer* ShowResultFile(const QString& path, QWidget* parent, UrlOpener& opener);

class ViewFileCommand : public QObject {
  Q_OBJECT

 public:
  // Child of `window`; connects its action "VoirImprimer1".
  explicit ViewFileCommand(MainWindow& window);

  // Stands in for the desktop (tests); `opener` must outlive this command.
  void setUrlOpener(UrlOpener& opener) { opener_ = &opener; }

  // The open dialog, then ShowResultFile; errors end in the window's error box.
  void run();

 private:
  MainWindow& window_;
  UrlOpener* opener_;
};

}  // namespace relakin
