// The about box ("A propos"), made for one showing and released after it.
#pragma once

#include <QDialog>

namespace relakin {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace relakin
