// The genotype check while typing, the status-line help and the keys that start editing.
#include <gtest/gtest.h>

#include "core/cell_help.h"
#include "core/errors.h"
#include "core/genotype_check.h"

namespace relakin {
namespace {

TEST(GenotypeCheck, WarnsOnExactlyOneMissingAllele) {
  struct Case {
    int col, row;
    const char* value;
    bool warns;
  } cases[] = {
      {2, 2, "000123", true},   {2, 2, "123000", true},  {2, 2, "000000", false},
      {2, 2, "101105", false},  {2, 2, "12345", false},   // five characters: not checked yet
      {2, 2, "12  00", true},                             // read as 120000
      {2, 2, "1  034", false},                            // read as 100034
      {2, 2, " 000123", true},                            // leading blank: 0000123
      {2, 2, "000123 ", false},                           // a trailing blank adds a digit: 1230
      {2, 2, "", false},        {1, 5, "000123", false},  // individual name
      {4, 1, "000123", false},                            // locus name
  };
  for (const Case& c : cases) {
    const auto warning = CheckTypedGenotype(c.col, c.row, c.value);
    EXPECT_EQ(warning.has_value(), c.warns) << "'" << c.value << "'";
    if (warning) {
      EXPECT_EQ(*warning, "Un des 2 allèles est = 000 !!");
    }
  }
}

TEST(GenotypeCheck, WarnsWhenTheSixthCharacterIsTyped) {
  const std::string typed = "000123";
  for (std::size_t n = 1; n <= typed.size(); ++n) {
    EXPECT_EQ(CheckTypedGenotype(3, 4, typed.substr(0, n)).has_value(), n == typed.size()) << n;
  }
}

TEST(GenotypeCheck, TextsThatAreNotWholeNumbersThrow) {
  for (const char* value : {"12a456", "-12345", "abcdef", "123456     "}) {
    try {
      CheckTypedGenotype(2, 2, value);
      ADD_FAILURE() << "no error for '" << value << "'";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Conversion) << value;
      EXPECT_NE(std::string(e.what()).find(value), std::string::npos) << e.what();
    }
  }
  EXPECT_FALSE(CheckTypedGenotype(1, 2, "abcdef").has_value());  // names are free text
}

TEST(CellHelp, TextsByCell) {
  struct Case {
    int col, row;
    const char* text;
  } cases[] = {
      {1, 1, ""},
      {1, 2,
       "Editer l'identifiant de l'indiv.; pour indiquer début d'une pop. CTRL + click sur 1ère "
       "col. de son premier ind."},
      {2, 1, "Editer le nom du locus "},
      {5, 1, "Editer le nom du locus "},
      {2, 7,
       "Editer génotype, 3 car. par allèle (N° max. 999) e.g. 010080; 000 si allèle manquant"},
  };
  for (const Case& c : cases) EXPECT_EQ(CellHelpText(c.col, c.row), c.text) << c.col << c.row;
}

TEST(CellHelp, HeadingTexts) {
  const std::string dragColumn =
      "To move this column Drag it over the desired destination and release the mouse button.";
  const std::string dragRow =
      "To move this row Drag it over the desired destination and release the mouse button.";
  EXPECT_EQ(ColumnHeadingHelpText(1), "Vous ne pouvez déplacer cette colonne ..");
  EXPECT_EQ(ColumnHeadingHelpText(2), dragColumn);
  EXPECT_EQ(RowHeadingHelpText(1), "Vous ne pouvez pas déplacer cette ligne ..");
  EXPECT_EQ(RowHeadingHelpText(2), dragRow);
}

TEST(CellHelp, KeysThatStartEditing) {
  for (int key : {13, 113, 48, 57, 65, 90, 96, 105, 70}) EXPECT_TRUE(KeyStartsEditing(key)) << key;
  for (int key : {8, 9, 27, 32, 37, 46, 47, 106, 112, 114})
    EXPECT_FALSE(KeyStartsEditing(key)) << key;
}

}  // namespace
}  // namespace relakin
