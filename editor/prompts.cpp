#include "editor/prompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QStringList>

namespace relakin {

QString QtFileFilter(const QString& delphiFilter) {
  const QStringList parts = delphiFilter.split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << parts[i].trimmed() + " (" + patterns + ")";
  }
  return filters.join(";;");
}

std::optional<QString> QtPrompts::openFileName(QWidget* parent, const FileDialogSpec& request) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setNameFilter(QtFileFilter(request.filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<QString> QtPrompts::saveFileName(QWidget* parent, const FileDialogSpec& request) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QtFileFilter(request.filter));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

void QtPrompts::tell(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, kAppTitle, text, QMessageBox::Ok, parent);
  box.exec();
}

QMessageBox::StandardButton QtPrompts::ask(QWidget* parent, QMessageBox::Icon icon,
                                           const QString& text,
                                           QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, kAppTitle, text, buttons, parent);
  const int result = box.exec();
  const auto button = static_cast<QMessageBox::StandardButton>(result);
  if (buttons.testFlag(button)) return button;
  return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
}

int QtPrompts::exec(QDialog& dialog) { return dialog.exec(); }

}  // namespace relakin
