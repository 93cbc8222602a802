#include "plotter/error_box.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace vodave {

void ShowErrorBox(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, QGuiApplication::applicationDisplayName(), text);
}

}  // namespace vodave
