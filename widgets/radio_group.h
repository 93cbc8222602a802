// A framed group of radio buttons read and set by item index, as the analysis and import
// dialogs' option groups are. Each button is named "<group>_<index>".
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace relakin {

class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  // The index that stands for no item: the import dialogs open with none chosen.
  static constexpr int kNoItem = -1;

  // `items` are the buttons' captions ("&&" shows one ampersand); item `checked` starts
  // checked, none with kNoItem.
  RadioGroup(const char* name, const QString& caption, const QStringList& items, QWidget* parent,
             int checked = 0);

  // The chosen item, kNoItem when there is none.
  int itemIndex() const;
  // An index without an item (kNoItem) chooses none.
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
