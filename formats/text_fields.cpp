#include "formats/text_fields.h"

namespace relakin {

std::vector<std::string_view> SplitTextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::string_view> CutFields(std::string_view line, std::string_view S) {
  std::vector<std::string_view> fields;
  if (S.empty()) {
    if (!line.empty()) fields.push_back(line);
    return fields;
  }
  const auto dropSeparators = [&] {
    while (line.substr(0, S.size()) == S) line.remove_prefix(S.size());
  };
  dropSeparators();
  while (!line.empty()) {
    const std::size_t p = line.find(S);
    fields.push_back(line.substr(0, p));
    if (p == std::string_view::npos) break;
    line.remove_prefix(p + S.size());
    dropSeparators();
  }
  return fields;
}

bool IsBlankRecord(std::string_view line, std::string_view S) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (!S.empty() && line.substr(i, S.size()) == S) {
      i += S.size() - 1;
      continue;
    }
    if (static_cast<unsigned char>(line[i]) > ' ') return false;
  }
  return true;
}

}  // namespace relakin
