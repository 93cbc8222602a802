#include "core/native_format.h"

#include <algorithm>

#include "core/codepage.h"

namespace relakin {

std::string FileNameForHeader(std::string_view currentFileName) {
  std::string name = Utf8ToCp1252(currentFileName);
  for (char& c : name) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) c = ' ';
  }
  return name;
}

std::string NameField(std::string_view name) {
  name = name.substr(0, kNameFieldWidth);
  return std::string(kNameFieldWidth - name.size(), ' ') + std::string(name);
}

RowRange PopRows(const Document& doc, std::size_t p) {
  const int rows = doc.Cells.RowCount();
  if (p == 0 || p >= doc.PopFirstRow.size()) return {rows, rows - 1};
  return {std::max<int>(2, doc.PopFirstRow[p]), std::min(doc.PopLastRow(p), rows - 1)};
}

}  // namespace relakin
