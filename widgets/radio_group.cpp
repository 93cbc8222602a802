#include "widgets/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace relakin {

RadioGroup::RadioGroup(const char* name, const QString& caption, const QStringList& items,
                       QWidget* parent, int checked)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
  setObjectName(name);
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* radio = new QRadioButton(items[i], this);
    radio->setObjectName(QString("%1_%2").arg(name).arg(i));
    group_->addButton(radio, i);
    layout->addWidget(radio);
  }
  setItemIndex(checked);
  connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::itemIndex() const { return group_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
  if (QAbstractButton* b = group_->button(index)) {
    b->setChecked(true);
    return;
  }
  // An exclusive group never unchecks its last button by itself.
  group_->setExclusive(false);
  for (QAbstractButton* b : group_->buttons()) b->setChecked(false);
  group_->setExclusive(true);
}

QRadioButton* RadioGroup::button(int index) const {
  return static_cast<QRadioButton*>(group_->button(index));
}

int RadioGroup::count() const { return static_cast<int>(group_->buttons().size()); }

}  // namespace relakin
