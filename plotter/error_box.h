// The box in which vodave shows a failed command; the program goes on.
#pragma once

#include <QString>

class QWidget;

namespace vodave {

// A modal box with the stop icon, titled with the application's name, and an OK button.
void ShowErrorBox(QWidget* parent, const QString& text);

}  // namespace vodave
