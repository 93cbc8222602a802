// Feeds the text reader every sequence of reads over any text: the leading bytes choose the reads,
// the rest is the file. Each read must succeed or fail with a located input error, and keep the
// line count right: once the whole text is skipped, the reader stands on the line after the last
// line end, counted here on its own (LF, CR LF or a lone CR ends a line).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/errors.h"
#include "core/text_reader.h"
#include "fuzz/fuzz_check.h"

namespace {

int CountLines(const std::string& text) {
  int lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
      ++lines;
  }
  return lines;
}

bool HasLineEnd(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

void ReadOnce(relakin::TextReader& in, std::uint8_t op) {
  switch (op % 8) {
    case 0:
      in.ReadInteger();
      break;
    case 1:
      in.ReadCount("nombre");
      break;
    case 2:
      in.ReadReal();
      break;
    case 3: {
      const std::string s = in.ReadToLineEnd();
      fuzzing::Check(!HasLineEnd(s) && in.AtLineEnd(), "ReadToLineEnd stops at the line end");
      break;
    }
    case 4: {
      const int line = in.Line();
      const bool eof = in.AtEof();
      in.SkipLine();
      fuzzing::Check(eof || in.AtEof() || in.Line() == line + 1, "SkipLine passes one line end");
      break;
    }
    case 5:
      fuzzing::Check(!HasLineEnd(in.ReadLine()), "ReadLine gives no line end");
      break;
    default: {
      const std::size_t n = op / 8;
      const std::string s = in.ReadField(n, "le champ");
      fuzzing::Check(s.size() <= n && !HasLineEnd(s), "ReadField stays within its line");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::vector<std::uint8_t> ops =
      input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 64));
  const std::string text = input.ConsumeRemainingBytesAsString();
  relakin::TextReader in(text, "fuzz.txt");
  for (std::uint8_t op : ops) {
    const int line = in.Line();
    try {
      ReadOnce(in, op);
    } catch (const relakin::Error& e) {
      fuzzing::Check(e.kind() == relakin::ErrorKind::Input, "a read fails with an input error");
      fuzzing::Check(e.line() == in.Line(), "the error names the reader's line");
    }
    fuzzing::Check(in.Line() >= line, "the line number never goes back");
  }
  while (!in.AtEof()) in.SkipLine();
  fuzzing::Check(in.Line() == CountLines(text), "the line count at the end of the text");
  return 0;
}
