// Our stand-in for the desktop's text viewer: a read-only window that shows one text file in a
// fixed-pitch font, so the result matrices stay aligned, captioned with the file's name, and
// prints it ("&Fichier" > "&Imprimer...").
#pragma once

#include <QMainWindow>
#include <QString>

class QPlainTextEdit;
class QPrinter;

namespace relakin {

class ResultViewer : public QMainWindow {
  Q_OBJECT

 public:
  // The text of the file at `path`: UTF-8 when it is valid UTF-8, Windows-1252 otherwise (the
  // program's own files), with LF, CR LF or CR line ends. Throws Error(Io) when the file cannot
  // be opened or read.
  static QString ReadText(const QString& path);

  // A window of its own over `parent`, deleted when closed; it does not keep the program
  // running once the main window has closed. Sized to show the whole text when the screen
  // allows it (nine tenths of the available screen at most) and centred on `parent`'s window.
  ResultViewer(const QString& path, const QString& text, QWidget* parent = nullptr);

  QPlainTextEdit* textView() const { return text_; }
  QString path() const { return path_; }

  // Prints the whole text on `printer` in the window's fixed-pitch font, lines longer than the
  // page's text width wrapped onto the next lines (at a blank where there is one).
  void printTo(QPrinter& printer);

 private:
  void print();
  void fitToText(const QString& text, QWidget* parent);

  QString path_;
  QPlainTextEdit* text_;
};

}  // namespace relakin
