#include "widgets/prompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QStringList>

#include "widgets/window_frame.h"

namespace relakin {
namespace {

// A window closes a moment after its last message box ("TRAITEMENT FINI !"), or a box closes
// over a modeless dialog. A window manager then gives the focus away, often to the main window
// or to another program's window; the window the box or dialog was shown over takes it back,
// as it would on Windows.
void ActivateAgain(QWidget* shownOver) {
  if (shownOver != nullptr && shownOver->window()->isVisible())
    shownOver->window()->activateWindow();
}

}  // namespace

QString QtFileFilter(const QString& pairs) {
  const QStringList parts = pairs.split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& p : patterns)
      if (p == "*.*") p = "*";  // every file, also one without an extension
    filters << parts[i].trimmed() + " (" + patterns.join(' ') + ")";
  }
  return filters.join(";;");
}

void PrepareFileDialog(QFileDialog& dialog, const FileDialogSpec& request,
                       QFileDialog::AcceptMode mode) {
  dialog.setAcceptMode(mode);
  if (mode == QFileDialog::AcceptOpen) {
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  } else {
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  }
  // The patterns go in parentheses after each label for the dialog to filter by; they are hidden,
  // so the label shows as it is written, its own "(*.bvt)" included. Qt's own dialog: the
  // desktop's may cut a label at its first parenthesis.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilter(QtFileFilter(request.filter));
}

std::optional<QString> QtPrompts::openFileName(QWidget* parent, const FileDialogSpec& request) {
  QFileDialog dialog(parent);
  PrepareFileDialog(dialog, request, QFileDialog::AcceptOpen);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<QString> QtPrompts::saveFileName(QWidget* parent, const FileDialogSpec& request) {
  QFileDialog dialog(parent);
  PrepareFileDialog(dialog, request, QFileDialog::AcceptSave);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

void QtPrompts::tell(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, kAppTitle, text, QMessageBox::Ok, parent);
  // Messages quote file names, cells and typed text: never read them as markup.
  box.setTextFormat(Qt::PlainText);
  KeepCaptionWhole(box);
  box.exec();
  ActivateAgain(parent);
}

QMessageBox::StandardButton QtPrompts::ask(QWidget* parent, QMessageBox::Icon icon,
                                           const QString& text,
                                           QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, kAppTitle, text, buttons, parent);
  box.setTextFormat(Qt::PlainText);
  KeepCaptionWhole(box);
  const int result = box.exec();
  ActivateAgain(parent);
  const auto button = static_cast<QMessageBox::StandardButton>(result);
  if (buttons.testFlag(button)) return button;
  return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
}

int QtPrompts::exec(QDialog& dialog) {
  const int result = dialog.exec();
  ActivateAgain(dialog.parentWidget());
  return result;
}

}  // namespace relakin
