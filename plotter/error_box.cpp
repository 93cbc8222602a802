#include "plotter/error_box.h"

#include <QGuiApplication>
#include <QMessageBox>

#include "widgets/window_frame.h"

namespace vodave {

void ShowErrorBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);  // the text names a file: never read it as markup
  relakin::KeepCaptionWhole(box);
  box.exec();
}

}  // namespace vodave
