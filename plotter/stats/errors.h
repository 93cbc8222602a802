// Typed failures of vodave's reader and statistics. The windows catch them at each command's
// boundary and show what() in an error box; the program goes on.
#pragma once

#include <stdexcept>
#include <string>

namespace vodave {

enum class ErrorKind {
  Io,             // the file cannot be opened or read
  Input,          // a token that is not a number, a count out of range
  TooManyValues,  // more permuted values than the plotter takes
  FloatingPoint,  // a computation that overflows the 64-bit reals
};

// what() is a complete sentence for the user, in UTF-8.
class Error : public std::runtime_error {
 public:
  Error(ErrorKind kind, const std::string& message, int line = 0)
      : std::runtime_error(message), kind_(kind), line_(line) {}
  ErrorKind kind() const { return kind_; }
  // 1-based line of the data file where the failure was met; 0 when not about a file line.
  int line() const { return line_; }

 private:
  ErrorKind kind_;
  int line_;
};

}  // namespace vodave
