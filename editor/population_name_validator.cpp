#include "editor/population_name_validator.h"

#include <QLineEdit>
#include <algorithm>

#include "core/codepage.h"

namespace relakin {
namespace {

bool Typable(QChar c) {
  if (c == u' ') return true;
  if (!c.isLetterOrNumber()) return false;
  // A letter the code page lacks would be stored as "?".
  return Utf8ToCp1252(QString(c).toStdString()) != "?";
}

}  // namespace

PopulationNameValidator::PopulationNameValidator(QLineEdit* edit, const QString& stored)
    : QValidator(edit), last_(stored) {
  connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { last_ = text; });
}

QValidator::State PopulationNameValidator::validate(QString& input, int&) const {
  if (input == last_) return Acceptable;
  if (input.size() > kTypedLength && input.size() > last_.size()) return Invalid;
  // One change replaces one stretch of the text: what lies between the common start and the
  // common end is what it inserted.
  const qsizetype shorter = std::min(input.size(), last_.size());
  qsizetype start = 0;
  while (start < shorter && input[start] == last_[start]) ++start;
  qsizetype end = 0;
  while (end < shorter - start && input[input.size() - 1 - end] == last_[last_.size() - 1 - end])
    ++end;
  for (qsizetype k = start; k < input.size() - end; ++k)
    if (!Typable(input[k])) return Invalid;
  return Acceptable;
}

}  // namespace relakin
