// The about box "A propos": the program's icon, name and version, and an OK button.
#pragma once

#include <QDialog>

namespace vodave {

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace vodave
