#include "formats/import_input.h"

#include <charconv>
#include <iterator>
#include <system_error>

#include "core/codepage.h"
#include "core/errors.h"
#include "core/file_bytes.h"

namespace relakin {

ImportInput::ImportInput(std::string content, std::string name)
    : text_(std::move(content)), name_(std::move(name)) {}

std::string ReadStreamText(std::istream& in, const std::string& name) {
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw Error(ErrorKind::Io, "Erreur de lecture du fichier " + name + ".");
  return content;
}

ImportInput ImportInput::FromStream(std::istream& in, std::string name) {
  std::string content = ReadStreamText(in, name);
  return ImportInput(std::move(content), std::move(name));
}

ImportInput ImportInput::FromFile(const std::string& path) {
  return ImportInput(ReadFileBytes(path), path);
}

void ImportInput::Fail(const std::string& what) const {
  const std::string where = name_.empty() ? "" : name_ + ", ";
  throw Error(ErrorKind::Input, where + "ligne " + std::to_string(line_) + " : " + what, line_);
}

bool ImportInput::AtLineEnd() const {
  return AtEof() || text_[pos_] == '\n' || text_[pos_] == '\r';
}

char ImportInput::ReadChar() {
  const char c = text_[pos_++];
  // A CR followed by LF counts its line at the LF.
  if (c == '\n' || (c == '\r' && (AtEof() || text_[pos_] != '\n'))) ++line_;
  return c;
}

std::string ImportInput::ReadToLineEnd() {
  const std::size_t start = pos_;
  while (!AtLineEnd()) ++pos_;
  return text_.substr(start, pos_ - start);
}

void ImportInput::SkipLine() {
  while (!AtLineEnd()) ++pos_;
  if (AtEof()) return;
  if (ReadChar() == '\r' && !AtEof() && text_[pos_] == '\n') ReadChar();
}

std::string ImportInput::ReadLine() {
  std::string s = ReadToLineEnd();
  SkipLine();
  return s;
}

bool ImportInput::SkipBlankText() {
  while (!AtEof() && static_cast<unsigned char>(text_[pos_]) <= ' ') ReadChar();
  return !AtEof();
}

std::string_view ImportInput::NextToken() {
  SkipBlankText();
  const std::size_t start = pos_;
  while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) > ' ') ++pos_;
  return std::string_view(text_).substr(start, pos_ - start);
}

std::uint64_t ImportInput::ReadNumber(std::string_view missing, std::uint64_t max,
                                      std::string_view what) {
  const std::string_view token = NextToken();
  if (token.empty()) {
    if (!missing.empty()) Fail("le fichier se termine avant " + std::string(missing) + ".");
    return 0;
  }
  const std::string_view digits = DigitsOf(token);
  std::uint64_t value = 0;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || ptr != digits.data() + digits.size())
    Fail("nombre entier positif attendu, trouvé « " + Cp1252ToUtf8(token) + " ».");
  if (ec == std::errc::result_out_of_range || value > max)
    Fail(std::string(what) + " hors limites : " + Cp1252ToUtf8(token) + ".");
  return value;
}

std::uint16_t ImportInput::ReadCount(std::string_view what, std::string_view missing) {
  return static_cast<std::uint16_t>(ReadNumber(missing, UINT16_MAX, what));
}

std::string_view DigitsOf(std::string_view token) {
  if (!token.empty() && token.front() == '+') token.remove_prefix(1);
  for (const char c : token) {
    if (c < '0' || c > '9') return {};
  }
  return token;
}

}  // namespace relakin
