#include "formats/delimited_preview.h"

#include "formats/import_text.h"
#include "formats/text_fields.h"

namespace relakin {

PreviewRows RawLinePreview(std::string_view text) {
  PreviewRows rows;
  for (std::string_view line : SplitTextLines(WithoutEndOfFileMark(text))) {
    if (rows.size() == kMaxPreviewLines) break;
    rows.push_back({std::string(line)});
  }
  return rows;
}

PreviewRows PreviewDelimitedText(std::string_view text, std::string_view S, int firstLineOffset) {
  PreviewRows rows;
  for (std::string_view line : SplitTextLines(WithoutEndOfFileMark(text))) {
    if (rows.size() == kMaxPreviewLines) break;
    std::vector<std::string>& row = rows.emplace_back();
    if (rows.size() == 1) row.resize(static_cast<std::size_t>(firstLineOffset));
    for (std::string_view field : CutFields(line, S)) row.emplace_back(field);
  }
  return rows;
}

}  // namespace relakin
