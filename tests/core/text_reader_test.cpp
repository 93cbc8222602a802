#include "core/text_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <sstream>
#include <vector>

#include "bounded_child.h"
#include "core/errors.h"
#include "core/quoted_text.h"
#include "table_builder.h"

namespace relakin {
namespace {

using ::testing::HasSubstr;

TEST(TextReader, NumbersSkipEverythingUpToTheBlankAndLeaveTheirEnd) {
  TextReader in(" \t\x01\x1f\r\n  12\tabc");
  EXPECT_EQ(in.ReadInteger(), 12);
  EXPECT_EQ(in.Line(), 2);
  EXPECT_EQ(in.ReadToLineEnd(), "\tabc");  // the TAB that ended 12 is left
}

TEST(TextReader, ReadsSignedIntegersAcrossLines) {
  TextReader in(" \t\x01 12\t-7\n\n+3\r\n0042 9");
  EXPECT_EQ(in.ReadInteger(), 12);
  EXPECT_EQ(in.ReadInteger(), -7);
  EXPECT_EQ(in.ReadInteger(), 3);
  EXPECT_EQ(in.Line(), 3);
  EXPECT_EQ(in.ReadInteger(), 42);
  EXPECT_EQ(in.ReadInteger(), 9);
  EXPECT_EQ(in.Line(), 4);
}

TEST(TextReader, NumberAtTheEndOfTheFileReadsZero) {
  for (const char* text : {"", "   ", "\r\n\r\n", "5 \n"}) {
    TextReader in(text);
    if (std::string(text) == "5 \n") {
      EXPECT_EQ(in.ReadInteger(), 5);
    }
    EXPECT_EQ(in.ReadInteger(), 0) << '"' << text << '"';
    EXPECT_EQ(in.ReadCount("n"), 0);
    EXPECT_EQ(in.ReadReal(), 0.0);
    EXPECT_TRUE(in.AtEof());
  }
}

TEST(TextReader, TokenThatIsNotAnIntegerIsAnInputErrorNamingTheLine) {
  for (const char* token :
       {"12a", "a12", "+-5", "-", "+", "1.5", "0x10", "1e3", "--1", "99999999999999999999"}) {
    TextReader in(std::string("1\r\n\r\n  ") + token + " 4", "data.txt");
    EXPECT_EQ(in.ReadInteger(), 1);
    try {
      in.ReadInteger();
      ADD_FAILURE() << token;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Input) << token;
      EXPECT_EQ(e.line(), 3) << token;
      EXPECT_THAT(e.what(), HasSubstr("data.txt, ligne 3 : ")) << token;
    }
  }
}

TEST(TextReader, RealsInDecimalNotationOnly) {
  const struct {
    const char* token;
    double value;
  } good[] = {{"1.5", 1.5}, {"-0.25", -0.25}, {"+2", 2.0},
              {".5", 0.5},  {"1e-3", 0.001},  {"7", 7.0}};
  for (const auto& c : good) {
    TextReader in(c.token);
    EXPECT_EQ(in.ReadReal(), c.value) << c.token;
  }
  for (const char* token : {"inf", "nan", "-inf", "+-1", "1,5", ".", "1.5x", "1e999"}) {
    TextReader in(token);
    EXPECT_THROW(in.ReadReal(), Error) << token;
  }
}

TEST(TextReader, CountsAreSixteenBitUnsigned) {
  TextReader in("0 65535\n65536");
  EXPECT_EQ(in.ReadCount("a"), 0);
  EXPECT_EQ(in.ReadCount("a"), 65535);
  try {
    in.ReadCount("nombre de loci");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.line(), 2);
    EXPECT_THAT(e.what(), HasSubstr("nombre de loci"));
  }
  TextReader negative("\n\n-1");
  EXPECT_THROW(negative.ReadCount("n"), Error);
}

// The import readers' counts: no minus sign, and a maximum named in the error.
TEST(TextReader, UnsignedNumbersTakeAPlusAndLeadingZerosAndStayWithinTheirMaximum) {
  const struct {
    const char* token;
    std::uint64_t value;
  } good[] = {{"+5", 5}, {"007", 7}, {"+0065535", 65535}, {"0", 0}};
  for (const auto& c : good) {
    TextReader in(c.token);
    EXPECT_EQ(in.ReadUnsigned("n", 65535), c.value) << c.token;
  }
  TextReader widest("18446744073709551615");
  EXPECT_EQ(widest.ReadUnsigned("n", UINT64_MAX), UINT64_MAX);
  const struct {
    const char* token;
    const char* says;
  } bad[] = {{"-5", "f, ligne 2 : nombre entier positif attendu, trouvé « -5 »."},
             {"-0", "f, ligne 2 : nombre entier positif attendu, trouvé « -0 »."},
             {"+-5", "f, ligne 2 : nombre entier positif attendu, trouvé « +-5 »."},
             {"+", "f, ligne 2 : nombre entier positif attendu, trouvé « + »."},
             {"5a", "f, ligne 2 : nombre entier positif attendu, trouvé « 5a »."},
             {"+065536", "f, ligne 2 : compte hors limites : +065536."},
             {"18446744073709551616", "f, ligne 2 : compte hors limites : 18446744073709551616."}};
  for (const auto& c : bad) {
    TextReader in(std::string("\r\n ") + c.token, "f");
    try {
      in.ReadUnsigned("compte", 65535);
      ADD_FAILURE() << c.token;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Input) << c.token;
      EXPECT_STREQ(e.what(), c.says);
    }
  }
  TextReader end(" \n");
  EXPECT_EQ(end.ReadUnsigned("n", 9), 0u);  // at the file end, like every number
}

// A truncated file is told at the line where the file ends, past the blank lines.
TEST(TextReader, RequireTokenSkipsToTheTokenOrFailsWhereTheFileEnds) {
  TextReader in("1\n\n  7\n\n \n", "f.dat");
  in.RequireToken("le premier");
  EXPECT_EQ(in.ReadInteger(), 1);
  in.RequireToken("le second");
  EXPECT_EQ(in.Line(), 3);
  EXPECT_EQ(in.ReadInteger(), 7);
  try {
    in.RequireToken("le troisième");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Input);
    EXPECT_EQ(e.line(), 6);
    EXPECT_STREQ(e.what(), "f.dat, ligne 6 : le fichier se termine avant le troisième.");
  }
  EXPECT_FALSE(in.SkipSeparators());
}

TEST(TextReader, SkipSeparatorsOnLineStopsAtTheLineEnd) {
  TextReader in("7 \t\r\n8", "f.dat");
  EXPECT_TRUE(in.SkipSeparatorsOnLine());
  EXPECT_EQ(in.ReadInteger(), 7);
  EXPECT_FALSE(in.SkipSeparatorsOnLine());
  EXPECT_EQ(in.Line(), 1);
  in.SkipLine();
  EXPECT_TRUE(in.SkipSeparatorsOnLine());
}

// A field as long as the file must not make a message as long as the file.
TEST(TextReader, MessagesQuoteAtMostFortyCharactersOfAToken) {
  const std::string huge(1 << 20, '7');
  for (const std::string& token : {huge + "x", "x" + huge}) {
    TextReader in(token, "f.dat");
    try {
      in.ReadInteger();
      ADD_FAILURE();
    } catch (const Error& e) {
      const std::string quoted = token.substr(0, 40) + "\u2026";
      EXPECT_STREQ(e.what(),
                   ("f.dat, ligne 1 : nombre entier attendu, trouvé « " + quoted + " ».").c_str());
    }
  }
  EXPECT_EQ(QuotedText(std::string(40, 'a')), "« " + std::string(40, 'a') + " »");
  EXPECT_EQ(QuotedText("\xe9t\xe9"), "« \xc3\xa9t\xc3\xa9 »");
}

// A message shows every character of what it quotes: those the user could not see or find in
// the file are named.
TEST(TextReader, MessagesNameTheControlCharactersTheyQuote) {
  const struct {
    std::string text;
    const char* shown;
  } cases[] = {
      {std::string("a\0b\x01", 4), "a[NUL]b[Ctrl-A]"},
      {"0708\x1a", "0708[Ctrl-Z]"},
      {"L\t1 \t", "L[TAB]1 [TAB]"},
      {"a\r\nb", "a[CR][LF]b"},
      {"\x1b\x1f\x7f", "[\xc3\x89" "chap][Ctrl-_][DEL]"},
      {"\x80\x81\x9d\xe9", "\xe2\x82\xac[0x81][0x9D]\xc3\xa9"},  // the euro sign, two undefined bytes
  };
  for (const auto& c : cases) EXPECT_EQ(QuotedText(c.text), std::string("« ") + c.shown + " »");
  // The cut counts the file's characters, not the names.
  EXPECT_EQ(ExcerptOf(std::string(41, '\t')).size(), 40 * 5 + std::string("\u2026").size());
  TextReader in("1\n2\x7fx", "f.dat");
  in.ReadInteger();
  try {
    in.ReadInteger();
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "f.dat, ligne 2 : nombre entier attendu, trouvé « 2[DEL]x ».");
  }
}

TEST(TextReader, AByteOrderMarkIsNoPartOfTheText) {
  TextReader in(
      "\xEF\xBB\xBF"
      "12 x");
  EXPECT_EQ(in.ReadInteger(), 12);
  TextReader alone("\xEF\xBB\xBF");
  EXPECT_TRUE(alone.AtEof());
  // Only at the start of the file.
  TextReader later("1 \xEF\xBB\xBF");
  EXPECT_EQ(later.ReadInteger(), 1);
  EXPECT_EQ(later.NextToken(), "\xEF\xBB\xBF");
}

// Character by character, a line is counted once whatever its end, as SkipLine counts it.
TEST(TextReader, CharactersAreTakenAsTheyAreAndCountTheirLines) {
  TextReader chars("a\rb\r\nc\nd\r");
  std::string taken;
  std::vector<int> lines;
  while (!chars.AtEof()) {
    const char peeked = chars.Peek();
    const char c = chars.ReadChar();
    EXPECT_EQ(c, peeked);
    taken += c;
    lines.push_back(chars.Line());
  }
  EXPECT_EQ(taken, "a\rb\r\nc\nd\r");
  EXPECT_EQ(lines, (std::vector<int>{1, 2, 2, 2, 3, 3, 4, 4, 5}));
}

TEST(TextReader, FromStreamReadsTheWholeStreamAndReportsAFailedOne) {
  std::istringstream good("5\r\nnom");
  TextReader in = TextReader::FromStream(good, "f.txt");
  EXPECT_EQ(in.ReadInteger(), 5);
  in.SkipLine();
  EXPECT_EQ(in.ReadLine(), "nom");
  EXPECT_EQ(in.Name(), "f.txt");
  std::istringstream bad("5");
  bad.setstate(std::ios::badbit);
  try {
    TextReader::FromStream(bad, "f.txt");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Io);
    EXPECT_STREQ(e.what(), "Erreur de lecture du fichier f.txt.");
  }
}

TEST(TextReader, LinesEndWithLfCrLfOrALoneCr) {
  for (const char* text : {"one\ntwo \n\nfour", "one\r\ntwo \r\n\r\nfour", "one\rtwo \r\rfour"}) {
    TextReader in(text);
    EXPECT_EQ(in.ReadLine(), "one");
    EXPECT_EQ(in.Line(), 2);
    EXPECT_EQ(in.ReadLine(), "two ");
    EXPECT_EQ(in.ReadLine(), "");
    EXPECT_EQ(in.Line(), 4);
    EXPECT_FALSE(in.AtLineEnd());
    EXPECT_EQ(in.ReadLine(), "four");
    EXPECT_TRUE(in.AtEof());
    EXPECT_EQ(in.ReadLine(), "");  // past the end a line is empty
  }
}

TEST(TextReader, SkipLineDropsTheRestOfTheLine) {
  TextReader in("3 and words\r\nnext");
  EXPECT_EQ(in.ReadInteger(), 3);
  in.SkipLine();
  EXPECT_EQ(in.ReadToLineEnd(), "next");
}

TEST(TextReader, FieldStopsAtALineEndWithAnErrorAndAtTheFileEndWithWhatThereIs) {
  TextReader in("  Ind01   105101\r\nab\r\nxy", "f.bvt");
  EXPECT_EQ(in.ReadField(10, "le nom"), "  Ind01   ");
  EXPECT_EQ(in.ReadInteger(), 105101);
  in.SkipLine();
  try {
    in.ReadField(10, "le nom");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Input);
    EXPECT_EQ(e.line(), 2);
    EXPECT_THAT(e.what(), HasSubstr("le nom"));
  }
  TextReader tail("xy");
  EXPECT_EQ(tail.ReadField(10, "le nom"), "xy");
  TextReader empty_line("\nxy");
  EXPECT_THROW(empty_line.ReadField(10, "le nom"), Error);
  TextReader tabs("\ta\tb ");
  EXPECT_EQ(tabs.ReadField(4, "le nom"), "\ta\tb");  // taken as they are
}

TEST(TextReader, FromFileReadsBytesAndReportsAMissingFile) {
  test::ScratchDir dir;
  test::WriteBytes(dir / "f.txt", std::string("7\r\n\xe9t\xe9", 6));
  TextReader in = TextReader::FromFile((dir / "f.txt").string());
  EXPECT_EQ(in.ReadInteger(), 7);
  in.SkipLine();
  EXPECT_EQ(in.ReadLine(), "\xe9t\xe9");
  try {
    TextReader::FromFile((dir / "none.txt").string());
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Io);
    EXPECT_THAT(e.what(), HasSubstr("none.txt"));
  }
}

// A folder, a FIFO without a writer and an endless device are refused before any reading, with
// a French sentence naming them: never the library's own exception, a hang or a memory blow-up.
TEST(TextReader, WhatIsNotARegularFileIsRefusedBeforeReading) {
  test::ScratchDir dir;
  const std::string fifo = (dir / "pipe").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path, says;
  };
  std::vector<Case> cases = {{dir.path().string(), "c'est un dossier, pas un fichier."},
                             {fifo, "ce n'est pas un fichier ordinaire."}};
  // An endless read could not be stopped by a memory limit under AddressSanitizer.
  if (!test::kAddressSanitizer)
    cases.push_back({"/dev/zero", "ce n'est pas un fichier ordinaire."});
  for (const Case& c : cases) {
    const test::ChildOutcome outcome = test::RunInBoundedChild(
        [&]() -> std::string {
          try {
            TextReader::FromFile(c.path);
            return "read without an error";
          } catch (const Error& e) {
            const std::string expected = "Impossible de lire " + c.path + " : " + c.says;
            if (e.kind() != ErrorKind::Io || e.what() != expected) return e.what();
          }
          return "";
        },
        test::kAddressSanitizer ? 0 : test::kOneGigabyte, 10);
    EXPECT_TRUE(outcome.ok) << c.path << ": " << outcome.what;
  }
}

}  // namespace
}  // namespace relakin
