#include "plotter/error_box.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace vodave {

void ShowErrorBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);  // the text names a file: never read it as markup
  box.exec();
}

}  // namespace vodave
