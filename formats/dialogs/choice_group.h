// A framed group of radio buttons read and set by item index, where no item may be chosen yet:
// the import dialogs open with none. Each button is named "<group>_<index>".
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace relakin {

class ChoiceGroup : public QGroupBox {
  Q_OBJECT

 public:
  // No item is chosen at first.
  ChoiceGroup(const char* name, const QString& caption, const QStringList& items, QWidget* parent);

  // The chosen item, -1 when there is none.
  int itemIndex() const;
  // -1 chooses none.
  void setItemIndex(int index);
  QRadioButton* button(int index) const;
  int count() const;

 signals:
  // The user clicked item `index`.
  void itemClicked(int index);

 private:
  QButtonGroup* group_;
};

}  // namespace relakin
