#include "core/codepage.h"

#include <gtest/gtest.h>

namespace relakin {
namespace {

TEST(Codepage, EveryDefinedByteSurvivesTheTripThroughUtf8) {
  for (int b = 1; b < 256; ++b) {
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
  }
}

TEST(Codepage, KnownCharacters) {
  const struct {
    const char* cp1252;
    const char* utf8;
  } cases[] = {
      {"abc", "abc"},
      {"\xe9", "\xc3\xa9"},            // é
      {"\x80", "\xe2\x82\xac"},        // €
      {"\x9c", "\xc5\x93"},            // œ
      {"\xb0", "\xc2\xb0"},            // °
      {"all\xe8le", "all\xc3\xa8le"},  // allèle
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
  }
}

TEST(Codepage, UndefinedBytesShowAsReplacementCharacter) {
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xef\xbf\xbd");
}

TEST(Codepage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  const struct {
    const char* utf8;
    const char* cp1252;
  } cases[] = {
      {"\xce\xa9", "?"},              // Ω
      {"a\xf0\x9f\x98\x80z", "a?z"},  // an emoji
      {"\xc2\x81", "?"},              // a C1 control, not a character of the page
      {"\xc3", "?"},                  // cut sequence
      {"\xff\xfe", "??"},             // not UTF-8
      {"\xc3(", "?("},                // bad continuation byte
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
}

// Text another tool wrote: UTF-8 goes into the code page, text already in it stays as it is.
TEST(Codepage, ForeignTextInCodePage) {
  const struct {
    const char* what;
    std::string bytes;
    std::string text;
    std::size_t unmapped;
  } cases[] = {
      {"ASCII", "P1;i1\r\n", "P1;i1\r\n", 0},
      {"UTF-8 name", "B\xc3\xa9lier", "B\xe9lier", 0},
      {"byte order mark", "\xEF\xBB\xBF" "B\xc3\xa9lier", "B\xe9lier", 0},
      {"byte order mark before ASCII", "\xEF\xBB\xBFPop", "Pop", 0},
      {"code page text is no UTF-8", "B\xe9lier", "B\xe9lier", 0},
      {"characters the page cannot hold", "\xce\xa9 a? \xe2\x82\xac \xf0\x9f\x98\x80",
       "? a? \x80 ?", 2},
      {"a stray byte makes the whole file code page text", "\xc3\xa9 \xe9", "\xc3\xa9 \xe9", 0},
      {"an overlong form is no UTF-8", "\xc0\xaf", "\xc0\xaf", 0},
      {"a surrogate is no UTF-8", "\xed\xa0\x80", "\xed\xa0\x80", 0},
  };
  for (const auto& c : cases) {
    std::size_t unmapped = 99;
    EXPECT_EQ(ForeignTextInCodePage(c.bytes, unmapped), c.text) << c.what;
    EXPECT_EQ(unmapped, c.unmapped) << c.what;
  }
}

}  // namespace
}  // namespace relakin
