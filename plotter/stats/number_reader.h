// Reads the numbers and lines of a data file held in memory, the way the plotter's files are
// meant to be read:
//
// - Before a number, every character up to and including the blank (blanks, TABs, line ends,
//   other control characters) is skipped, so a number may start on a later line; the number is
//   the run of characters above the blank that follows, and the character that ends it is left
//   for the next read.
// - A number asked for at the end of the file reads as 0, without an error.
// - A token that is not a number is an Error(Input) naming the file line.
// - Lines end with CR LF, LF or a lone CR; line numbers are 1-based.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vodave {

class NumberReader {
 public:
  // `name` only serves error messages (usually the file's path).
  explicit NumberReader(std::string content, std::string name = {});

  // An optional sign, digits, an optional "." with digits, an optional exponent; "." is the
  // decimal point whatever the locale. A value beyond the 64-bit reals is an Error(Input).
  double ReadReal();
  // A decimal integer with an optional sign that fits 32 bits.
  std::int32_t ReadInteger();

  // The characters up to the line end, then past the line end ("" at the file end).
  std::string ReadLine();
  // Everything up to and including the next line end.
  void SkipLine();

  // 1-based line of the token read last.
  int TokenLine() const { return token_line_; }

 private:
  std::string_view NextToken();
  void SkipSeparators();
  bool AtLineEnd() const;
  [[noreturn]] void Fail(const std::string& what) const;

  std::string text_;
  std::string name_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int token_line_ = 1;
};

}  // namespace vodave
