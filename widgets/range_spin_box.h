// A spin edit that takes any number while it is typed and brings it into its range when the
// edit is left (or interpretText() is called): 1200 typed under a maximum of 1000 gives 1000,
// where a plain QSpinBox refuses the last key and keeps 120. A number too long for an int lies
// above the maximum; a text that is not a number reads as the minimum. Ranges of whole numbers
// from 0 up: no sign may be typed.
#pragma once

#include <QSpinBox>

namespace relakin {

class RangeSpinBox : public QSpinBox {
 public:
  explicit RangeSpinBox(QWidget* parent = nullptr);

  QValidator::State validate(QString& text, int& pos) const override;
  void fixup(QString& text) const override;
};

}  // namespace relakin
