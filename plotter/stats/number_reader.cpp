#include "plotter/stats/number_reader.h"

#include <charconv>
#include <limits>

#include "plotter/stats/errors.h"

namespace vodave {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view t, std::size_t i) {
  while (i < t.size() && IsDigit(t[i])) ++i;
  return i;
}

// from_chars alone would also take "inf", "nan" and hexadecimal forms.
bool HasRealSyntax(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  const std::size_t int_end = SkipDigits(t, i);
  std::size_t digits = int_end - i;
  i = int_end;
  if (i < t.size() && t[i] == '.') {
    const std::size_t frac_end = SkipDigits(t, i + 1);
    digits += frac_end - i - 1;
    i = frac_end;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    const std::size_t exp_end = SkipDigits(t, i);
    if (exp_end == i) return false;
    i = exp_end;
  }
  return i == t.size();
}

bool HasIntegerSyntax(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  return i < t.size() && SkipDigits(t, i) == t.size();
}

// A token of a hostile file can be as long as the file: a message quotes its first characters,
// cut on a whole UTF-8 character.
std::string Quoted(std::string_view t) {
  constexpr std::size_t kMax = 40;
  if (t.size() <= kMax) return "« " + std::string(t) + " »";
  std::size_t n = kMax;
  while (n > 0 && (static_cast<unsigned char>(t[n]) & 0xC0) == 0x80) --n;
  return "« " + std::string(t.substr(0, n)) + "\u2026 »";
}

std::string_view WithoutPlus(std::string_view t) {
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  return t;
}

}  // namespace

NumberReader::NumberReader(std::string content, std::string name)
    : text_(std::move(content)), name_(std::move(name)) {}

void NumberReader::Fail(const std::string& what) const {
  const std::string where = name_.empty() ? "" : name_ + ", ";
  throw Error(ErrorKind::Input, where + "ligne " + std::to_string(token_line_) + " : " + what,
              token_line_);
}

bool NumberReader::AtLineEnd() const {
  return pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r';
}

void NumberReader::SkipSeparators() {
  while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= ' ') {
    const char c = text_[pos_++];
    if (c == '\n') {
      ++line_;
    } else if (c == '\r') {
      if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
      ++line_;
    }
  }
}

std::string_view NumberReader::NextToken() {
  SkipSeparators();
  token_line_ = line_;
  const std::size_t start = pos_;
  while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) > ' ') ++pos_;
  return std::string_view(text_).substr(start, pos_ - start);
}

double NumberReader::ReadReal() {
  const std::string_view tok = NextToken();
  if (tok.empty()) return 0.0;
  if (!HasRealSyntax(tok)) Fail("nombre attendu, trouvé " + Quoted(tok) + ".");
  const std::string_view body = WithoutPlus(tok);
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (ec != std::errc() || ptr != body.data() + body.size())
    Fail("nombre hors limites " + Quoted(tok) + ".");
  return value;
}

std::int32_t NumberReader::ReadInteger() {
  const std::string_view tok = NextToken();
  if (tok.empty()) return 0;
  if (!HasIntegerSyntax(tok)) Fail("nombre entier attendu, trouvé " + Quoted(tok) + ".");
  const std::string_view body = WithoutPlus(tok);
  std::int64_t value = 0;
  const auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (ec != std::errc() || ptr != body.data() + body.size() ||
      value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max())
    Fail("nombre entier hors limites " + Quoted(tok) + ".");
  return static_cast<std::int32_t>(value);
}

std::string NumberReader::ReadLine() {
  const std::size_t start = pos_;
  while (!AtLineEnd()) ++pos_;
  std::string line = text_.substr(start, pos_ - start);
  SkipLine();
  return line;
}

void NumberReader::SkipLine() {
  while (!AtLineEnd()) ++pos_;
  if (pos_ >= text_.size()) return;
  if (text_[pos_++] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  ++line_;
}

}  // namespace vodave
