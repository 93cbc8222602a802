// The number and line reading shared by every reader of relakin, the import readers included: a
// whole file held in memory, read the way the program's text files are meant to be read: number
// by number, line by line, or character by character where a layout cuts fields by position.
//
// - Before a number, every character up to and including the blank (blanks, TABs, line ends,
//   other control characters) is skipped; the number is the run of characters above the blank
//   that follows (a token), and the character that ends it is left for the next read.
// - A number asked for at the end of the file reads as 0, without an error. Readers for which
//   that would be a truncated file ask MoreTokens() or RequireToken() first.
// - A token that is not a number (parsed whole and strictly) is an input error naming the line.
// - Lines end with LF or CR LF (a lone CR too); line numbers are 1-based.
// - A UTF-8 byte order mark at the start of the file (spreadsheets and many editors write one) is
//   no part of the text.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace relakin {

class TextReader {
 public:
  // `name` only serves error messages (usually the file's path, UTF-8 as the file system names
  // it).
  explicit TextReader(std::string content, std::string name = {});
  // Reads the whole file; throws Error(Io) naming it when it cannot be opened or read, or is
  // not a regular file (a folder, a FIFO, a device), which is refused before any reading.
  static TextReader FromFile(const std::string& path);
  // Reads the whole stream; throws Error(Io) naming `name` when it cannot be read.
  static TextReader FromStream(std::istream& in, std::string name = {});

  // A decimal integer with an optional sign. Throws Error(Input) for a token that is not one
  // or does not fit 64 bits.
  std::int64_t ReadInteger();
  // ReadInteger, then a range check 0 .. 65535; `what` names the count in the error message.
  std::uint16_t ReadCount(std::string_view what);
  // A decimal integer without a minus sign ("+" and leading zeros allowed). Throws Error(Input)
  // "nombre entier positif attendu" for another token, and "<what> hors limites" for one above
  // `max` or beyond 64 bits.
  std::uint64_t ReadUnsigned(std::string_view what, std::uint64_t max);
  // A real in decimal notation ("." as the decimal point, optional exponent), locale-free.
  double ReadReal();

  // Skips what comes before a token; true when one follows.
  bool SkipSeparators();
  // Skips what comes before a token short of the line end; true when a token follows on the
  // current line. For layouts whose records stand one per line.
  bool SkipSeparatorsOnLine();
  // SkipSeparators, then the token; empty at the file end.
  std::string_view NextToken();
  // SkipSeparators; when no token follows, throws Error(Input) "le fichier se termine avant
  // <what>." at the file's last line: for readers to which the file's end there is a
  // truncated file.
  void RequireToken(std::string_view what);

  // The characters up to the line end, which stays unread ("" at a line end or the file end).
  std::string ReadToLineEnd();
  // Everything up to and including the next line end.
  void SkipLine();
  // ReadToLineEnd, then SkipLine.
  std::string ReadLine();
  // Up to n characters of the current line, taken as they are. Throws Error(Input) when a line
  // end comes first; at the file end returns what there was.
  std::string ReadField(std::size_t n, std::string_view what);

  // The next character without taking it. Precondition: !AtEof().
  char Peek() const { return text_[pos_]; }
  // Takes one character as it is, CR and LF included. Precondition: !AtEof(). A CR followed
  // by LF moves Line() on at the LF.
  char ReadChar();

  bool AtEof() const { return pos_ >= text_.size(); }
  // What is left to read.
  std::string_view Rest() const { return std::string_view(text_).substr(pos_); }
  // True when a token follows before the file end. A number asked for past the end reads as 0;
  // readers for which that would be a truncated file ask this first.
  bool MoreTokens() const;
  // True at a line end or at the file end.
  bool AtLineEnd() const;
  // 1-based number of the line the next character belongs to.
  int Line() const { return line_; }
  const std::string& Name() const { return name_; }

  // Throws Error(Input) "<name>, ligne <n> : <what>" for the current line; for the readers'
  // own checks of what they read.
  [[noreturn]] void Fail(const std::string& what) const;
  // The same for line `line`, already read.
  [[noreturn]] void FailAt(int line, const std::string& what) const;
  // "<name>, ligne <n> : " for line `line` (no name when it is empty): for messages of other
  // kinds of error.
  std::string Where(int line) const;
  std::string Where() const { return Where(line_); }

 private:
  std::string text_;
  std::string name_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

// "<fileName>, ligne <line> : " (without the name when it is empty), the start of a located
// error message.
std::string WhereInFile(const std::string& fileName, int line);

// The digits of a decimal token without a minus sign: "+" dropped; empty when the token is not
// one.
std::string_view DigitsOf(std::string_view token);

}  // namespace relakin
