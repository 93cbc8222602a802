// Helpers of the import readers' tests: the table as one text per grid row, and a stream over a
// string.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/errors.h"

namespace relakin::test {

// Grid row r as its cells joined by "|": "Pop Ind1|i1|001001".
inline std::vector<std::string> RowTexts(const Document& doc) {
  std::vector<std::string> rows;
  for (int r = 0; r < doc.Cells.RowCount(); ++r) {
    std::string text;
    for (int c = 0; c < doc.Cells.ColCount(); ++c) text += (c ? "|" : "") + doc.Cells.Cells(c, r);
    rows.push_back(text);
  }
  return rows;
}

// PopFirstRow[1 .. NbPops].
inline std::vector<int> FirstRows(const Document& doc) {
  std::vector<int> rows;
  for (int p = 1; p <= doc.NbPops; ++p) rows.push_back(doc.PopFirstRow[p]);
  return rows;
}

// PopNames[1 .. NbPops].
inline std::vector<std::string> PopNames(const Document& doc) {
  std::vector<std::string> names;
  for (int p = 1; p <= doc.NbPops; ++p) names.push_back(doc.PopNames[p]);
  return names;
}

// The error `read` throws; fails the test when it throws none.
inline Error ErrorOf(const std::function<void()>& read) {
  try {
    read();
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error";
  return Error(ErrorKind::Io, "none");
}

inline std::string FormatsData(const char* name) {
  return std::string(RELAKIN_TEST_DATA) + "/formats/" + name;
}

// A file of the given bytes in a fresh temporary folder, removed with the object.
class TempFiles {
 public:
  TempFiles() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "relakin_import_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "no temporary folder";
    dir_ = pattern;
  }
  ~TempFiles() { std::filesystem::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

 private:
  std::filesystem::path dir_;
};

}  // namespace relakin::test
