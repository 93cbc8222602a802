#include "widgets/default_button.h"

#include <QDialog>
#include <QPushButton>

namespace relakin {

void KeepReturnOnDefault(QDialog& dialog) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) button->setAutoDefault(false);
}

}  // namespace relakin
