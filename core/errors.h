// Typed failures of the core. The windows catch them at each command's boundary and show
// what() in an error box; the program goes on.
#pragma once

#include <stdexcept>
#include <string>

namespace relakin {

enum class ErrorKind {
  NotNativeFile,  // line 1 of a native file does not start with a number
  Input,          // a token that is not a number, a field broken by a line end, a count out of range
  Conversion,     // a genotype cell that is not a number once blanks are zeros
  Io,             // a file that cannot be opened, written, closed or renamed
  Capacity,       // more than a 16-bit count or another fixed limit allows
};

// what() is a complete sentence for the user, in UTF-8, naming the file line or cell where known.
class Error : public std::runtime_error {
 public:
  Error(ErrorKind kind, const std::string& message, int line = 0)
      : std::runtime_error(message), kind_(kind), line_(line) {}
  ErrorKind kind() const { return kind_; }
  // 1-based line of the input file where the failure was met; 0 when not about a file line.
  int line() const { return line_; }

 private:
  ErrorKind kind_;
  int line_;
};

}  // namespace relakin
