#include "widgets/range_spin_box.h"

#include <algorithm>

namespace relakin {
namespace {

bool AllDigits(const QString& text) {
  return !text.isEmpty() &&
         std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

}  // namespace

RangeSpinBox::RangeSpinBox(QWidget* parent) : QSpinBox(parent) {
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State RangeSpinBox::validate(QString& text, int&) const {
  if (text.isEmpty()) return QValidator::Intermediate;
  if (!AllDigits(text.trimmed())) return QValidator::Invalid;
  bool number = false;
  const int n = text.toInt(&number);
  return number && n >= minimum() && n <= maximum() ? QValidator::Acceptable
                                                    : QValidator::Intermediate;
}

void RangeSpinBox::fixup(QString& text) const {
  bool number = false;
  const int n = text.toInt(&number);
  if (number) {
    text = QString::number(std::clamp(n, minimum(), maximum()));
  } else {
    text = QString::number(AllDigits(text.trimmed()) ? maximum() : minimum());
  }
}

}  // namespace relakin
