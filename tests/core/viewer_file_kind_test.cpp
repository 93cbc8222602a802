// Which files "&View File content ..." shows as HTML pages.
#include "core/viewer_file_kind.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "core/errors.h"
#include "table_builder.h"

namespace relakin {
namespace {

TEST(ViewerFileKindTest, HtmlOnlyForAnExactFirstOrSecondLine) {
  struct Case {
    std::string text;
    ViewerFileKind kind;
  };
  using enum ViewerFileKind;
  const Case cases[] = {
      {"<HTML>\r\n<BODY>\r\n", Html},
      {"<HTML>", Html},
      {"<HTML>  \t\r\n", Html},
      {"\r\n<HTML>   \r\n", Html},
      {"   \t\n<HTML>\n", Html},
      {"\n<HTML>", Html},
      {"\r<HTML>\r", Html},  // a lone CR ends a line
      {"<html>\r\n", Text},
      {" <HTML>\r\n", Text},
      {"<HT ML>\r\n", Text},
      {"<HTML>x\r\n", Text},
      {"<HTML><BODY>\r\n", Text},
      {"\r\n\r\n<HTML>\r\n", Text},  // only the second line stands in for the first
      {"Title\r\n<HTML>\r\n", Text},
      {"Relatedness   Data: two_pops\r\n  1   2  0.2500\r\n", Text},
      {"", Text},
      {"\r\n", Text},
      {std::string("<HTML>\0\x1f", 8), Html},  // control characters are trimmed with blanks
      {std::string(100000, 'x') + "\n<HTML>\n", Text},
      {"\xef\xbb\xbf<HTML>\r\n", Text},  // a byte-order mark is no blank
  };
  for (const Case& c : cases) {
    std::istringstream in(c.text);
    EXPECT_EQ(ReadViewerFileKind(in), c.kind) << c.text.substr(0, 40);
  }
}

TEST(ViewerFileKindTest, FilesThatCannotBeReadAreInputOutputErrors) {
  const test::ScratchDir dir;
  const std::string page = (dir / "page.htm").string();
  test::WriteBytes(page, "<HTML>\r\n");
  EXPECT_EQ(ReadViewerFileKind(page), ViewerFileKind::Html);
  // A FIFO would block the command until some writer came: refused at once.
  const std::string pipe = (dir / "pipe").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path : {(dir / "missing.res").string(), dir.path().string(), pipe}) {
    try {
      ReadViewerFileKind(path);
      ADD_FAILURE() << path;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Io);
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace relakin
