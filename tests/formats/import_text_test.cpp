// What every import reader makes of text other tools write: a byte order mark is no part of the
// data, UTF-8 names reach the table in its code page, and what the page cannot hold is said.
#include "formats/import_text.h"

#include "formats/import_file.h"
#include "import_test_util.h"

namespace relakin {
namespace {

using test::ErrorOf;
using test::RowTexts;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kBom = "\xEF\xBB\xBF";

struct Case {
  const char* what;
  ImportFormat format;
  std::string file;   // its name tells the older pair's locus file
  std::string bytes;  // UTF-8
  std::string rows;   // RowTexts, code page, joined by "/"
  std::size_t unmapped;
};

std::string Joined(const std::vector<std::string>& rows) {
  std::string out;
  for (const std::string& r : rows) out += (out.empty() ? "" : "/") + r;
  return out;
}

TEST(ImportText, EveryReaderSkipsTheByteOrderMarkAndReadsUtf8IntoTheCodePage) {
  DelimitedTextOptions tab;
  tab.Separator = "\t";
  const Case cases[] = {
      {"FSTAT", ImportFormat::Fstat, "t.dat", kBom + "1 1 9 2\r\nB\xc3\xa9lier\r\n1 0102\r\n",
       "||locus1/||B\xe9lier/Pop Ind1|1|001002", 0},
      {"FSTAT without a mark", ImportFormat::Fstat, "t.dat", "1 1 9 2\nB\xc3\xa9lier\n1 0102\n",
       "||locus1/||B\xe9lier/Pop Ind1|1|001002", 0},
      {"delimited text", ImportFormat::DelimitedText, "t.txt",
       kBom + "L\xc3\xa9\r\nN\xc3\xa9\ti\xc3\xa9\t0102\r\n",
       "||locus1/||L\xe9/Pop Ind1|i\xe9|001002", 0},
      {"GENEPOP", ImportFormat::Genepop, "t.gen",
       kBom + "titre\r\nL\xc3\xa9\r\nPop\r\nB\xc3\xa9l , 0102\r\n",
       "||locus1/||L\xe9/Pop Ind1|B\xe9l |001002", 0},
      {"older pair", ImportFormat::OlderPair, "t.don",
       kBom + "1 1\r\n\r\n\r\n\r\nB\xc3\xa9l1 101102\r\n",
       "||locus1/||L\xe9x/Pop Ind1|B\xe9l1|101102", 0},
      {"characters beyond the code page", ImportFormat::Fstat, "t.dat",
       "1 1 9 2\n\xce\xa9m\xc3\xa9ga \xe2\x82\xac \xf0\x9f\x98\x80\n1 0102\n",
       "||locus1/||?m\xe9ga \x80 ?/Pop Ind1|1|001002", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFiles files;
    const std::string path = files.Write(c.file, c.bytes);
    files.Write("t.mod", kBom + "  L\xc3\xa9x\r\n");
    ImportWarnings warnings;
    const Document doc = ImportForeignFile(c.format, path, tab, &warnings);
    EXPECT_EQ(Joined(RowTexts(doc)), c.rows);
    if (c.unmapped == 0) {
      EXPECT_THAT(warnings, IsEmpty());
    } else {
      EXPECT_THAT(warnings, ElementsAre(path + " : " + std::to_string(c.unmapped) +
                                        " caractères que la table ne peut pas contenir sont "
                                        "devenus « ? »."));
    }
  }
}

TEST(ImportText, Utf16FilesAreRefusedWithAWordOnWhatToDo) {
  for (const std::string& bytes :
       {std::string("\xFF\xFEL\0001\0", 6), std::string("\xFE\xFF\0L\0001", 6)}) {
    test::TempFiles files;
    const std::string path = files.Write("t.txt", bytes);
    for (ImportFormat f :
         {ImportFormat::Fstat, ImportFormat::Genepop, ImportFormat::DelimitedText}) {
      const Error e = ErrorOf([&] { ImportForeignFile(f, path); });
      EXPECT_EQ(e.kind(), ErrorKind::Input);
      EXPECT_EQ(std::string(e.what()),
                path + " : ce fichier est en UTF-16 : enregistrez-le en UTF-8 ou en texte simple.");
    }
  }
}

TEST(ImportText, OneCharacterBeyondTheCodePageIsSaidInTheSingular) {
  ImportWarnings warnings;
  EXPECT_EQ(ImportedText("\xce\xa9", "f.txt", &warnings), "?");
  EXPECT_THAT(
      warnings,
      ElementsAre("f.txt : 1 caractère que la table ne peut pas contenir est devenu « ? »."));
  EXPECT_EQ(ImportedText("\xce\xa9", "f.txt", nullptr), "?");
}

}  // namespace
}  // namespace relakin
