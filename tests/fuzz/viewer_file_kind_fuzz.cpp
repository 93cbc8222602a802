// Feeds the viewer's HTML test any bytes and compares it with a plain reading of the same rule:
// split the whole text into lines (LF, CR LF or a lone CR), trim each line's trailing blanks and
// control characters, take the second line when the first is empty, compare with "<HTML>".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "core/viewer_file_kind.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.pop_back();
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = Lines(text);
  std::string line = TrimRight(lines[0]);
  if (line.empty() && lines.size() > 1) line = TrimRight(lines[1]);
  const relakin::ViewerFileKind expected =
      line == "<HTML>" ? relakin::ViewerFileKind::Html : relakin::ViewerFileKind::Text;
  std::istringstream in(text);
  if (relakin::ReadViewerFileKind(in) != expected) std::abort();
  return 0;
}
