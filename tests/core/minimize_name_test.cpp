// Shortening a path for a menu entry, with one width unit per character.
#include "core/minimize_name.h"

#include <gtest/gtest.h>

namespace relakin {
namespace {

int Chars(const std::string& text) { return static_cast<int>(text.size()); }

TEST(MinimizeNameTest, CutsDirectoriesFromTheFrontUntilThePathFits) {
  struct Case {
    const char* path;
    int width;
    const char* shown;
  };
  const Case cases[] = {
      {"/data/pop.bvt", 13, "/data/pop.bvt"},  // fits exactly
      {"/data/pop.bvt", 200, "/data/pop.bvt"},
      {"/home/ann/data/pop.bvt", 21, "/.../ann/data/pop.bvt"},
      {"/home/ann/data/pop.bvt", 18, "/.../data/pop.bvt"},
      {"/home/ann/data/pop.bvt", 13, "/.../pop.bvt"},
      {"/home/ann/data/pop.bvt", 11, ".../pop.bvt"},
      {"/home/ann/data/pop.bvt", 10, "pop.bvt"},
      // The file name is never cut, even when it alone is too wide.
      {"/home/ann/data/pop.bvt", 3, "pop.bvt"},
      {"/a/very_long_file_name.bvt", 5, "very_long_file_name.bvt"},
      // A leading dot directory is one directory like any other.
      {"/.config/x/f", 11, "/.../x/f"},
      {"/.../x/f", 7, "/.../f"},
      {"rel/dir/f", 8, ".../f"},
      {"f", 0, "f"},
      {"/f", 1, "f"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MinimizeName(c.path, c.width, Chars), c.shown) << c.path << " in " << c.width;
  }
}

TEST(MinimizeNameTest, StopsAtTheFirstStepThatFits) {
  // Widths that are not monotonic in the length: the steps are tried in order, each once.
  std::vector<std::string> tried;
  const TextWidth recording = [&tried](const std::string& text) {
    tried.push_back(text);
    return text == "/.../c/f" ? 0 : 100;
  };
  EXPECT_EQ(MinimizeName("/a/b/c/f", 50, recording), "/.../c/f");
  EXPECT_EQ(tried, (std::vector<std::string>{"/a/b/c/f", "/.../b/c/f", "/.../c/f"}));
}

}  // namespace
}  // namespace relakin
