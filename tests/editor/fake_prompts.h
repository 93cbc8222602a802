// Answers the main window's modal exchanges from queues filled by the test, and records what
// the window said and asked.
#pragma once

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <optional>

#include "widgets/prompts.h"

namespace relakin::test {

class FakePrompts : public Prompts {
 public:
  struct Told {
    QMessageBox::Icon icon;
    QString text;
  };

  std::optional<QString> openFileName(QWidget*, const FileDialogSpec& request) override {
    fileFilters << request.filter;
    return next(openNames);
  }
  std::optional<QString> saveFileName(QWidget*, const FileDialogSpec& request) override {
    fileFilters << request.filter;
    return next(saveNames);
  }
  void tell(QWidget*, QMessageBox::Icon icon, const QString& text) override {
    told.push_back({icon, text});
  }
  QMessageBox::StandardButton ask(QWidget*, QMessageBox::Icon, const QString& text,
                                  QMessageBox::StandardButtons) override {
    asked << text;
    if (answers.empty()) return QMessageBox::Cancel;
    const QMessageBox::StandardButton answer = answers.front();
    answers.pop_front();
    return answer;
  }
  // The dialog is shown (not modally) for the handler, which clicks or types in it.
  int exec(QDialog& dialog) override {
    dialogs << dialog.objectName();
    dialog.setResult(QDialog::Accepted);
    dialog.show();
    int result = QDialog::Accepted;
    if (auto it = onDialog.find(dialog.objectName()); it != onDialog.end()) {
      result = it->second(dialog);
    }
    dialog.hide();
    // As a modal dialog does, hand the activation back to the window below.
    if (QWidget* owner = dialog.parentWidget()) owner->window()->activateWindow();
    return result;
  }

  QStringList errors() const {
    QStringList out;
    for (const Told& t : told) {
      if (t.icon == QMessageBox::Critical) out << t.text;
    }
    return out;
  }

  // A null QString (or an empty queue) cancels the dialog.
  std::deque<QString> openNames;
  std::deque<QString> saveNames;
  std::deque<QMessageBox::StandardButton> answers;
  std::map<QString, std::function<int(QDialog&)>> onDialog;

  QStringList fileFilters;
  std::vector<Told> told;
  QStringList asked;
  QStringList dialogs;

 private:
  static std::optional<QString> next(std::deque<QString>& queue) {
    if (queue.empty()) return std::nullopt;
    const QString name = queue.front();
    queue.pop_front();
    if (name.isNull()) return std::nullopt;
    return name;
  }
};

}  // namespace relakin::test
