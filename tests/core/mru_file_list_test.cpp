// The recent-files list: order, moves to the top, trimming and the list as loaded.
#include "core/mru_file_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace relakin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

MRUFileList Filled(std::initializer_list<const char*> oldestFirst, int maximum = 5) {
  MRUFileList list(maximum);
  for (const char* path : oldestFirst) list.AddItem(path);
  return list;
}

TEST(MRUFileListTest, NewestComesFirstAndTheSixthPushesOutTheOldest) {
  MRUFileList list = Filled({"/a", "/b", "/c"});
  EXPECT_THAT(list.FileList(), ElementsAre("/c", "/b", "/a"));
  list.AddItem("/d");
  list.AddItem("/e");
  list.AddItem("/f");
  EXPECT_THAT(list.FileList(), ElementsAre("/f", "/e", "/d", "/c", "/b"));
}

TEST(MRUFileListTest, AListedPathMovesToTheTopWithoutGrowingTheList) {
  struct Case {
    const char* added;
    std::vector<std::string> after;
  };
  const Case cases[] = {
      {"/c", {"/c", "/e", "/d", "/b", "/a"}},
      {"/e", {"/e", "/d", "/c", "/b", "/a"}},
      {"/a", {"/a", "/e", "/d", "/c", "/b"}},
      // Letter case counts: another path, so the oldest goes.
      {"/C", {"/C", "/e", "/d", "/c", "/b"}},
  };
  for (const Case& c : cases) {
    MRUFileList list = Filled({"/a", "/b", "/c", "/d", "/e"});
    list.AddItem(c.added);
    EXPECT_EQ(list.FileList(), c.after) << c.added;
  }
}

TEST(MRUFileListTest, MaximumLoweredDropsTheOldestAndRaisedBringsNothingBack) {
  MRUFileList list = Filled({"/a", "/b", "/c", "/d", "/e"});
  list.SetMaximum(2);
  EXPECT_THAT(list.FileList(), ElementsAre("/e", "/d"));
  list.SetMaximum(5);
  EXPECT_THAT(list.FileList(), ElementsAre("/e", "/d"));
  list.AddItem("/f");
  EXPECT_THAT(list.FileList(), ElementsAre("/f", "/e", "/d"));

  MRUFileList none = Filled({"/a", "/b"}, 0);
  EXPECT_THAT(none.FileList(), IsEmpty());
  EXPECT_EQ(MRUFileList(300).Maximum(), 255);
  EXPECT_EQ(MRUFileList(-1).Maximum(), 0);
}

TEST(MRUFileListTest, TakeItemRemovesOneEntry) {
  MRUFileList list = Filled({"/a", "/b", "/c", "/d"});
  EXPECT_EQ(list.TakeItem(2), "/b");
  EXPECT_THAT(list.FileList(), ElementsAre("/d", "/c", "/a"));
  EXPECT_EQ(list.TakeItem(0), "/d");
  EXPECT_EQ(list.TakeItem(1), "/a");
  EXPECT_THAT(list.FileList(), ElementsAre("/c"));
}

TEST(MRUFileListTest, AssignSkipsEmptyTextsAndKeepsTheNewestUpToTheMaximum) {
  MRUFileList list = Filled({"/old"}, 3);
  list.Assign({"/a", "", "/b=c", "/d", "/e"});
  EXPECT_THAT(list.FileList(), ElementsAre("/a", "/b=c", "/d"));
  list.Assign({});
  EXPECT_THAT(list.FileList(), IsEmpty());
}

}  // namespace
}  // namespace relakin
