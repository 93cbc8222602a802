// The genotype table's storage: rows keep their cells only up to the last written one, and
// every operation must behave as on a full grid of texts.
#include "core/genotype_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace relakin {
namespace {

using Grid = std::vector<std::vector<std::string>>;  // grid[row][col], every row full

// Rows of different stored widths: full, empty, a label only, a gap, a far cell only.
Grid Sample() {
  return {{"h0", "h1", "h2", "h3", "h4"},
          {"", "", "", "", ""},
          {"Pop", "", "", "", ""},
          {"r3", "", "g3", "", ""},
          {"", "", "", "", "far"}};
}

GenotypeTable Build(const Grid& g) {
  GenotypeTable t(static_cast<int>(g[0].size()), static_cast<int>(g.size()));
  for (std::size_t r = 0; r < g.size(); ++r)
    for (std::size_t c = 0; c < g[r].size(); ++c)
      t.SetCell(static_cast<int>(c), static_cast<int>(r), g[r][c]);
  return t;
}

Grid Read(const GenotypeTable& t) {
  Grid g(t.RowCount(), std::vector<std::string>(t.ColCount()));
  for (int r = 0; r < t.RowCount(); ++r)
    for (int c = 0; c < t.ColCount(); ++c) g[r][c] = t.Cells(c, r);
  return g;
}

template <class V>
void Move(V& v, int from, int to) {
  auto first = v.begin();
  if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
  if (from > to) std::rotate(first + to, first + from, first + from + 1);
}

TEST(GenotypeTable, EveryOperationActsAsOnAFullGrid) {
  struct Case {
    std::string what;
    std::function<void(GenotypeTable&)> op;
    std::function<void(Grid&)> full;
  };
  std::vector<Case> cases;
  for (int at : {0, 1, 3, 5}) {
    cases.push_back({"insert column " + std::to_string(at), [at](auto& t) { t.InsertColumn(at); },
                     [at](Grid& g) {
                       for (auto& r : g) r.insert(r.begin() + at, "");
                     }});
  }
  for (int col : {0, 2, 4}) {
    cases.push_back({"delete column " + std::to_string(col),
                     [col](auto& t) { t.DeleteColumn(col); },
                     [col](Grid& g) {
                       for (auto& r : g) r.erase(r.begin() + col);
                     }});
  }
  for (auto [from, to] : {std::pair{1, 4}, {4, 1}, {0, 4}, {3, 3}, {2, 3}, {4, 2}}) {
    cases.push_back({"move column " + std::to_string(from) + " to " + std::to_string(to),
                     [from, to](auto& t) { t.MoveColumn(from, to); },
                     [from, to](Grid& g) {
                       for (auto& r : g) Move(r, from, to);
                     }});
  }
  for (int n : {3, 7}) {
    cases.push_back({"column count " + std::to_string(n), [n](auto& t) { t.SetColCount(n); },
                     [n](Grid& g) {
                       for (auto& r : g) r.resize(n);
                     }});
  }
  cases.push_back({"insert, delete and move rows",
                   [](auto& t) {
                     t.InsertRow(2);
                     t.DeleteRow(0);
                     t.MoveRow(4, 1);
                     t.SetRowCount(7);
                   },
                   [](Grid& g) {
                     g.insert(g.begin() + 2, std::vector<std::string>(5));
                     g.erase(g.begin());
                     Move(g, 4, 1);
                     g.resize(7, std::vector<std::string>(5));
                   }});
  cases.push_back({"writes through the reference and SetCell",
                   [](auto& t) {
                     t.Cells(3, 1).push_back('x');
                     t.Cells(4, 2).push_back('y');
                     t.SetCell(4, 3, {});
                     t.SetCell(0, 4, std::string(1, 'z'));
                   },
                   [](Grid& g) {
                     g[1][3].push_back('x');
                     g[2][4].push_back('y');
                     g[3][4].clear();
                     g[4][0] = std::string(1, 'z');
                   }});
  for (const Case& c : cases) {
    GenotypeTable t = Build(Sample());
    Grid expected = Sample();
    c.op(t);
    c.full(expected);
    EXPECT_EQ(Read(t), expected) << c.what;
    EXPECT_EQ(t, Build(expected)) << c.what;
  }
}

TEST(GenotypeTable, EqualityComparesTextsNotStorage) {
  GenotypeTable a = Build(Sample());
  GenotypeTable b = Build(Sample());
  b.Cells(4, 1);  // stores the empty cells of row 1
  b.SetCell(3, 3, "");
  EXPECT_EQ(a, b);
  b.SetCell(1, 1, " ");
  EXPECT_NE(a, b);
  GenotypeTable c = Build(Sample());
  c.SetColCount(6);
  EXPECT_NE(a, c);
}

}  // namespace
}  // namespace relakin
