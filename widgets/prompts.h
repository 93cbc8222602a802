// Every modal exchange of the main window with the user: common file dialogs, message boxes,
// questions and the program's own modal dialogs. The windows ask through this interface so that
// tests can answer without a nested event loop; QtPrompts is the real thing.
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <optional>

class QDialog;
class QWidget;

namespace relakin {

inline constexpr const char* kAppTitle = "RELAKIN";

struct FileDialogSpec {
  QString filter;  // label and pattern pairs: "Label|pattern|Label|pattern"
  bool mustExist = false;
  bool confirmOverwrite = false;
};

class Prompts {
 public:
  virtual ~Prompts() = default;

  // The chosen path, or nothing when the dialog is cancelled.
  virtual std::optional<QString> openFileName(QWidget* parent, const FileDialogSpec& request) = 0;
  virtual std::optional<QString> saveFileName(QWidget* parent, const FileDialogSpec& request) = 0;

  // A box with an OK button; NoIcon is the plain message box titled "RELAKIN". Once a box has
  // closed, the window of `parent` is the active window again (as after exec()).
  virtual void tell(QWidget* parent, QMessageBox::Icon icon, const QString& text) = 0;
  // A question; returns the button pressed (Cancel or No when the box is closed otherwise).
  virtual QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& text,
                                          QMessageBox::StandardButtons buttons) = 0;
  // Runs one of the program's own dialogs modally; returns its result code. Once it has closed,
  // the window it was shown over is the active window again.
  virtual int exec(QDialog& dialog) = 0;

  // The error box of a command that failed.
  void error(QWidget* parent, const QString& text) { tell(parent, QMessageBox::Critical, text); }
};

class QtPrompts : public Prompts {
 public:
  std::optional<QString> openFileName(QWidget* parent, const FileDialogSpec& request) override;
  std::optional<QString> saveFileName(QWidget* parent, const FileDialogSpec& request) override;
  void tell(QWidget* parent, QMessageBox::Icon icon, const QString& text) override;
  QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                  QMessageBox::StandardButtons buttons) override;
  int exec(QDialog& dialog) override;
};

// Qt's filter list for label and pattern pairs: "BRAVOLT |*.bvt" gives "BRAVOLT (*.bvt)"; the
// pattern "*.*" becomes "*", every file.
QString QtFileFilter(const QString& pairs);

// Sets `dialog` up for `request` as QtPrompts shows it: the accept mode, the file mode and the
// file types, each shown by its label alone, as the filter writes it.
void PrepareFileDialog(QFileDialog& dialog, const FileDialogSpec& request,
                       QFileDialog::AcceptMode mode);

}  // namespace relakin
