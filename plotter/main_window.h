// The main window "Graphiques": its menus and the histogram of the file last opened.
#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>

class QAction;
class QFrame;

namespace vodave {

class HistogramChart;
class TAboutBox;
class TBtnRightDlg;
class Tdistrib;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Asks the user for a file to open; an empty text when the user cancels.
  using FileChooser = std::function<QString(QWidget* parent)>;

  explicit TForm1(QWidget* parent = nullptr);

  // The dialogs live as long as the window; SetDialogs must come before the first command.
  void SetDialogs(TAboutBox* aboutBox, TBtnRightDlg* classDialog, Tdistrib* distribution);
  // The default chooser is the open dialog with the plotter's file types.
  void SetFileChooser(FileChooser chooser);

  // The file last chosen in the open dialog; empty at start and when no file is loaded.
  const QString& PlotFileName() const { return plot_file_name_; }
  HistogramChart* Chart1() const { return Chart1_; }

  void Open1Click();
  void Nbclasses1Click();
  void Variable1Click();
  void About1Click();
  void Exit1Click();

 private:
  void BuildMenus();
  // Draws the histogram of PlotFileName(); false when it failed (the error was shown).
  bool trace();
  // Back to the state at start: no file, chart hidden, "Nb classes" and "Distribution" disabled.
  void Unload();

  QString plot_file_name_;
  FileChooser file_chooser_;
  QFrame* Panel1_;
  HistogramChart* Chart1_;
  QAction* Nbclasses1_ = nullptr;
  QAction* Variable1_ = nullptr;
  TAboutBox* AboutBox_ = nullptr;
  TBtnRightDlg* BtnRightDlg_ = nullptr;
  Tdistrib* distrib_ = nullptr;
};

}  // namespace vodave
