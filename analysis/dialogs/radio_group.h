// A framed group of radio buttons read and set by item index, as the analysis dialogs' option
// groups are. Each button is named "<group>_<index>".
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace relakin {

class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  // `items` are the buttons' captions ("&&" shows one ampersand); item 0 starts checked.
  RadioGroup(const char* name, const QString& caption, const QStringList& items, QWidget* parent);

  int itemIndex() const;
  void setItemIndex(int index);
  QRadioButton* button(int index) const;
  int count() const;

 private:
  QButtonGroup* group_;
};

}  // namespace relakin
