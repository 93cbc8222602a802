#include "core/text_reader.h"

#include <cctype>
#include <charconv>
#include <system_error>

#include "core/codepage.h"
#include "core/errors.h"
#include "core/file_bytes.h"
#include "core/quoted_text.h"

namespace relakin {

TextReader::TextReader(std::string content, std::string name)
    : text_(std::move(content)), name_(std::move(name)) {
  pos_ = text_.size() - WithoutByteOrderMark(text_).size();
}

TextReader TextReader::FromFile(const std::string& path) {
  return TextReader(ReadFileBytes(path), path);
}

TextReader TextReader::FromStream(std::istream& in, std::string name) {
  std::string content = ReadStreamBytes(in, name);
  return TextReader(std::move(content), std::move(name));
}

bool TextReader::MoreTokens() const {
  for (std::size_t p = pos_; p < text_.size(); ++p) {
    if (static_cast<unsigned char>(text_[p]) > ' ') return true;
  }
  return false;
}

void TextReader::Fail(const std::string& what) const { FailAt(line_, what); }

void TextReader::FailAt(int line, const std::string& what) const {
  throw Error(ErrorKind::Input, Where(line) + what, line);
}

std::string TextReader::Where(int line) const { return WhereInFile(name_, line); }

std::string WhereInFile(const std::string& fileName, int line) {
  return (fileName.empty() ? "" : fileName + ", ") + "ligne " + std::to_string(line) + " : ";
}

bool TextReader::AtLineEnd() const { return AtEof() || text_[pos_] == '\n' || text_[pos_] == '\r'; }

char TextReader::ReadChar() {
  const char c = text_[pos_++];
  if (c == '\n' || (c == '\r' && (AtEof() || text_[pos_] != '\n'))) ++line_;
  return c;
}

bool TextReader::SkipSeparators() {
  while (!AtEof() && static_cast<unsigned char>(text_[pos_]) <= ' ') ReadChar();
  return !AtEof();
}

bool TextReader::SkipSeparatorsOnLine() {
  while (!AtLineEnd() && static_cast<unsigned char>(text_[pos_]) <= ' ') ++pos_;
  return !AtLineEnd();
}

std::string_view TextReader::NextToken() {
  SkipSeparators();
  const std::size_t start = pos_;
  while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) > ' ') ++pos_;
  return std::string_view(text_).substr(start, pos_ - start);
}

void TextReader::RequireToken(std::string_view what) {
  if (!SkipSeparators()) Fail("le fichier se termine avant " + std::string(what) + ".");
}

std::int64_t TextReader::ReadInteger() {
  std::string_view tok = NextToken();
  if (tok.empty()) return 0;
  std::string_view digits = tok;
  if (digits.front() == '+') digits.remove_prefix(1);
  // from_chars takes a minus sign; a second sign after "+" is not a number.
  if (tok.front() == '+' && !digits.empty() && digits.front() == '-') digits = {};
  std::int64_t value = 0;
  const char* first = digits.data();
  const char* last = digits.data() + digits.size();
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (digits.empty() || ec == std::errc::invalid_argument || ptr != last ||
      (ec != std::errc() && ec != std::errc::result_out_of_range))
    Fail("nombre entier attendu, trouvé " + QuotedText(tok) + ".");
  if (ec == std::errc::result_out_of_range) Fail("nombre trop grand " + QuotedText(tok) + ".");
  return value;
}

std::uint16_t TextReader::ReadCount(std::string_view what) {
  const std::int64_t v = ReadInteger();
  if (v < 0 || v > 65535)
    Fail(std::string(what) + " hors limites (0 à 65535) : " + std::to_string(v) + ".");
  return static_cast<std::uint16_t>(v);
}

std::uint64_t TextReader::ReadUnsigned(std::string_view what, std::uint64_t max) {
  const std::string_view token = NextToken();
  if (token.empty()) return 0;
  const std::string_view digits = DigitsOf(token);
  std::uint64_t value = 0;
  const char* last = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), last, value);
  if (digits.empty() || ptr != last)
    Fail("nombre entier positif attendu, trouvé " + QuotedText(token) + ".");
  if (ec == std::errc::result_out_of_range || value > max)
    Fail(std::string(what) + " hors limites : " + ExcerptOf(token) + ".");
  return value;
}

double TextReader::ReadReal() {
  std::string_view tok = NextToken();
  if (tok.empty()) return 0.0;
  std::string_view body = tok;
  if (body.front() == '+') body.remove_prefix(1);
  // Decimal notation only: from_chars would also take "inf", "nan" and a sign after "+".
  const std::size_t lead = !body.empty() && body.front() == '-' && tok.front() != '+' ? 1 : 0;
  const bool decimal = body.size() > lead &&
                       (std::isdigit(static_cast<unsigned char>(body[lead])) || body[lead] == '.');
  if (!decimal) Fail("nombre attendu, trouvé " + QuotedText(tok) + ".");
  double value = 0.0;
  const char* last = body.data() + body.size();
  auto [ptr, ec] = std::from_chars(body.data(), last, value, std::chars_format::general);
  if (body.empty() || ec != std::errc() || ptr != last)
    Fail("nombre attendu, trouvé " + QuotedText(tok) + ".");
  return value;
}

std::string TextReader::ReadToLineEnd() {
  const std::size_t start = pos_;
  while (!AtLineEnd()) ++pos_;
  return text_.substr(start, pos_ - start);
}

void TextReader::SkipLine() {
  while (!AtLineEnd()) ++pos_;
  if (AtEof()) return;
  if (ReadChar() == '\r' && !AtEof() && text_[pos_] == '\n') ReadChar();
}

std::string TextReader::ReadLine() {
  std::string s = ReadToLineEnd();
  SkipLine();
  return s;
}

std::string TextReader::ReadField(std::size_t n, std::string_view what) {
  std::string out;
  while (out.size() < n && !AtEof()) {
    if (AtLineEnd()) Fail("la ligne se termine dans " + std::string(what) + ".");
    out += text_[pos_++];
  }
  return out;
}

std::string_view DigitsOf(std::string_view token) {
  if (!token.empty() && token.front() == '+') token.remove_prefix(1);
  for (const char c : token) {
    if (c < '0' || c > '9') return {};
  }
  return token;
}

}  // namespace relakin
