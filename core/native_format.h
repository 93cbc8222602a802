// Elements of the native genotype file's layout shared by its writers (the whole-table writer and
// the selection writer) and its reader.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/document.h"

namespace relakin {

inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::string_view kPopCountText = "  nombre de pop";
inline constexpr std::size_t kNameFieldWidth = 10;

// The data file's name as line 1 holds it: CurrentFileName (UTF-8, as the file system names it)
// in the code page, a character outside it as "?", a control character as a blank, so that the
// name can never break the line.
std::string FileNameForHeader(std::string_view currentFileName);

// An individual's name as its line starts: the first 10 bytes, right-justified with blanks.
std::string NameField(std::string_view name);

// The grid rows of population p (1 <= p <= NbPops): first .. last, never above row 2 nor past
// the last grid row; first > last when the population has no row.
struct RowRange {
  int first = 0;
  int last = -1;
};
RowRange PopRows(const Document& doc, std::size_t p);

}  // namespace relakin
