// What may be typed into a population name in the population-names dialog: letters, digits and
// blanks that the table's code page holds, and no more than 20 characters. A stored name comes
// as it is, longer or with other characters: each change is judged by what it inserts and by
// whether it lengthens a text already at or over 20, so an untouched stored name commits
// unchanged and whatever the editor shows is what its cell receives.
#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace relakin {

class PopulationNameValidator : public QValidator {
 public:
  static constexpr int kTypedLength = 20;

  // Follows `edit`'s text, starting from `stored`, the text the editor opens with.
  PopulationNameValidator(QLineEdit* edit, const QString& stored);

  // Acceptable or Invalid, never Intermediate: a refused change is undone at once.
  State validate(QString& input, int& pos) const override;

 private:
  QString last_;
};

}  // namespace relakin
