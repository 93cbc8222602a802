// A foreign file held in memory and read the way the import readers need: character by
// character where a layout cuts fields by position or by a comma, number token by number token
// elsewhere, with the file line of every failure.
//
// - Before a number token, every character up to and including the blank (blanks, TABs, line
//   ends, other control characters) is skipped; the token is the run of characters above the
//   blank that follows, and the character that ends it stays unread.
// - Lines end with LF, CR LF or a lone CR; line numbers are 1-based.
// - Failures are Error(Input) "<name>, ligne <n> : <what>".
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace relakin {

class ImportInput {
 public:
  // `name` only serves error messages (the file's path, UTF-8).
  explicit ImportInput(std::string content, std::string name = {});
  // The whole stream; throws Error(Io) when it cannot be read.
  static ImportInput FromStream(std::istream& in, std::string name = {});
  // The whole file; throws Error(Io) when it is not a regular file or cannot be read.
  static ImportInput FromFile(const std::string& path);

  bool AtEof() const { return pos_ >= text_.size(); }
  // True at a line end or at the file end.
  bool AtLineEnd() const;
  // 1-based number of the line the next character belongs to.
  int Line() const { return line_; }
  const std::string& Name() const { return name_; }

  // The next character without taking it. Precondition: !AtEof().
  char Peek() const { return text_[pos_]; }
  // Takes one character as it is (CR and LF included), counting lines.
  char ReadChar();

  // The characters up to the line end, which stays unread.
  std::string ReadToLineEnd();
  // Everything up to and including the next line end.
  void SkipLine();
  // ReadToLineEnd, then SkipLine.
  std::string ReadLine();
  // Skips blanks, line ends and other characters up to the blank; true when something follows.
  bool SkipBlankText();

  // The next number token (skipping what comes before it); empty at the file end.
  std::string_view NextToken();
  // A non-negative decimal integer token ("+" allowed). At the file end: an error saying
  // `missing` when it is not empty (the file ends before the counts are met), else 0.
  // Throws Error(Input) for a token that is not such a number or exceeds `max`.
  std::uint64_t ReadNumber(std::string_view missing, std::uint64_t max, std::string_view what);
  // ReadNumber with the 16-bit range; `what` names the count in the error message.
  std::uint16_t ReadCount(std::string_view what, std::string_view missing = {});

  [[noreturn]] void Fail(const std::string& what) const;

 private:
  std::string text_;
  std::string name_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

// The whole stream's bytes; throws Error(Io) naming `name` when it cannot be read.
std::string ReadStreamText(std::istream& in, const std::string& name);

// The digits of a non-negative decimal token: "+" dropped; empty when the token is not one.
std::string_view DigitsOf(std::string_view token);

}  // namespace relakin
