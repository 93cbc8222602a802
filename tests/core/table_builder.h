// Small tables for the core tests, laid out the way the new-table command and the editor lay
// them out: headings "Loc." + l, population starts labelled "Pop Ind" + k, other rows six
// blanks, "Ind" and k.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/document.h"

namespace relakin::test {

struct IndRow {
  std::string name;
  std::vector<std::string> cells;  // one per locus column; missing ones stay empty
};

struct PopBlock {
  std::string name;
  std::vector<IndRow> rows;  // at least one row per population
};

inline Document MakeDoc(const std::vector<std::string>& locusNames,
                        const std::vector<PopBlock>& pops, std::string fileName = "Untitled") {
  Document doc;
  doc.CurrentFileName = std::move(fileName);
  const int loci = static_cast<int>(locusNames.size());
  doc.Cells.Resize(loci + 2, 2);
  for (int l = 1; l <= loci; ++l) {
    doc.Cells.SetCell(l + 1, 0, "Loc." + std::to_string(l));
    doc.Cells.SetCell(l + 1, 1, locusNames[l - 1]);
  }
  for (const PopBlock& pop : pops) {
    ++doc.NbPops;
    doc.SetPopName(doc.NbPops, pop.name);
    for (std::size_t i = 0; i < pop.rows.size(); ++i) {
      const int row = doc.Cells.RowCount();
      doc.Cells.SetRowCount(row + 1);
      const std::string k = std::to_string(row - 1);
      if (i == 0) {
        doc.Cells.SetCell(0, row, "Pop Ind" + k);
        doc.SetPopFirstRow(doc.NbPops, static_cast<std::uint16_t>(row));
      } else {
        doc.Cells.SetCell(0, row, "      Ind" + k);
      }
      doc.Cells.SetCell(1, row, pop.rows[i].name);
      for (std::size_t c = 0; c < pop.rows[i].cells.size(); ++c)
        doc.Cells.SetCell(static_cast<int>(c) + 2, row, pop.rows[i].cells[c]);
    }
  }
  return doc;
}

// Joins lines with CR LF; `endLast` adds one after the last line too.
inline std::string CrLf(const std::vector<std::string>& lines, bool endLast) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out += lines[i];
    if (i + 1 < lines.size() || endLast) out += "\r\n";
  }
  return out;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh directory for one test, removed with its content at the end; optionally the current
// directory while it lives.
class ScratchDir {
 public:
  explicit ScratchDir(bool enter = false) : old_(std::filesystem::current_path()) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "relakin-core-XXXXXX").string();
    path_ = mkdtemp(tmpl.data());
    if (enter) std::filesystem::current_path(path_);
  }
  ~ScratchDir() {
    std::filesystem::current_path(old_);
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // Names of the entries in the directory.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_))
      names.push_back(e.path().filename().string());
    return names;
  }

 private:
  std::filesystem::path old_;
  std::filesystem::path path_;
};

}  // namespace relakin::test
