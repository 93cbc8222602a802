#include "formats/text_fields.h"

namespace relakin {
namespace {

std::string_view Trimmed(std::string_view field, bool tabs) {
  const auto blank = [tabs](char c) { return c == ' ' || (tabs && c == '\t'); };
  while (!field.empty() && blank(field.front())) field.remove_prefix(1);
  while (!field.empty() && blank(field.back())) field.remove_suffix(1);
  return field;
}

}  // namespace

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
  if (line.empty()) return fields;
  if (S.empty()) {
    fields.push_back(line);
    return fields;
  }
  if (S == " ") {
    const auto dropBlanks = [&] {
      while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    };
    dropBlanks();
    while (!line.empty()) {
      const std::size_t p = line.find(' ');
      fields.push_back(line.substr(0, p));
      if (p == std::string_view::npos) break;
      line.remove_prefix(p + 1);
      dropBlanks();
    }
    return fields;
  }
  const bool tabs = S != "\t";
  for (;;) {
    const std::size_t p = line.find(S);
    fields.push_back(Trimmed(line.substr(0, p), tabs));
    if (p == std::string_view::npos) break;
    line.remove_prefix(p + S.size());
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
