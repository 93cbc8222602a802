#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "plotter/stats/errors.h"
#include "plotter/stats/number_reader.h"

namespace vodave {
namespace {

TEST(VodaveNumberReaderTest, ReadsRealsOfTheFilesSyntax) {
  struct Case {
    const char* token;
    double value;
  } cases[] = {
      {"0.5", 0.5},         {"-1.25e3", -1250.0},
      {"+2", 2.0},          {"7", 7.0},
      {".5", 0.5},          {"5.", 5.0},
      {"1E-2", 0.01},       {"-0", -0.0},
      {"0.0250000", 0.025}, {"-0.003456789", -0.003456789},
  };
  for (const Case& c : cases) {
    NumberReader in(c.token);
    EXPECT_EQ(in.ReadReal(), c.value) << c.token;
  }
  NumberReader zero("-0");
  EXPECT_TRUE(std::signbit(zero.ReadReal()));
}

TEST(VodaveNumberReaderTest, RefusesTokensThatAreNotReals) {
  for (const char* token : {"abc", "nan", "inf", "-inf", "1,5", "0x10", "1e", "--1", "+-1", "1.2.3",
                            ".", "1e999", "5<---"}) {
    NumberReader in(std::string("  ") + token + " 3", "f.gra");
    try {
      in.ReadReal();
      ADD_FAILURE() << token << " was read";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Input) << token;
      EXPECT_EQ(e.line(), 1);
      EXPECT_NE(std::string(e.what()).find("f.gra, ligne 1"), std::string::npos) << e.what();
    }
  }
}

TEST(VodaveNumberReaderTest, ReadsIntegersIn32Bits) {
  struct Case {
    const char* token;
    std::int32_t value;
  } cases[] = {{"12", 12}, {"+70000", 70000}, {"-5", -5}, {"2147483647", 2147483647}, {"", 0}};
  for (const Case& c : cases) {
    NumberReader in(c.token);
    EXPECT_EQ(in.ReadInteger(), c.value) << c.token;
  }
  for (const char* token : {"12.0", "1e3", "+-3", "x", "2147483648", "99999999999999999999"}) {
    NumberReader in(token);
    EXPECT_THROW(in.ReadInteger(), Error) << token;
  }
}

TEST(VodaveNumberReaderTest, SkipsEverySeparatorBeforeANumberAndReadsZeroAtTheEnd) {
  NumberReader in(std::string("\t 1\r\n\r\n2\x01\x1f"
                              "3\r4\n") +
                  "   ");
  EXPECT_EQ(in.ReadReal(), 1.0);
  EXPECT_EQ(in.ReadReal(), 2.0);
  EXPECT_EQ(in.TokenLine(), 3);
  EXPECT_EQ(in.ReadReal(), 3.0);
  EXPECT_EQ(in.ReadReal(), 4.0);
  EXPECT_EQ(in.TokenLine(), 4);
  EXPECT_EQ(in.ReadReal(), 0.0);
  EXPECT_EQ(in.ReadInteger(), 0);
}

TEST(VodaveNumberReaderTest, ReadsAndSkipsLinesWhateverTheirEnd) {
  NumberReader in("one\r\ntwo\nthree\rfour 4 x\r\n5");
  EXPECT_EQ(in.ReadLine(), "one");
  EXPECT_EQ(in.ReadLine(), "two");
  in.SkipLine();
  EXPECT_EQ(in.ReadLine(), "four 4 x");
  EXPECT_EQ(in.ReadReal(), 5.0);
  EXPECT_EQ(in.TokenLine(), 5);
  EXPECT_EQ(in.ReadLine(), "");
  in.SkipLine();
}

TEST(VodaveNumberReaderTest, LeavesTheCharacterThatEndsANumber) {
  NumberReader in("1 rest of line\r\n2");
  EXPECT_EQ(in.ReadReal(), 1.0);
  EXPECT_EQ(in.ReadLine(), " rest of line");
  EXPECT_EQ(in.ReadReal(), 2.0);
}

}  // namespace
}  // namespace vodave
