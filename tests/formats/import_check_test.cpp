// What every import reader says once the whole file is read: a file that gives no individual or
// no locus is refused, and what the table will hold short of the file is said with its count.
#include "formats/import_check.h"

#include "formats/fstat_import.h"
#include "formats/import_file.h"
#include "import_test_util.h"

namespace relakin {
namespace {

using test::ErrorOf;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct Case {
  const char* what;
  ImportFormat format;
  std::string bytes;              // an older pair's data file, beside kMod
  std::vector<std::string> said;  // each after "<path> : "
};

const std::string kMod = "  L01\r\n  L02\r\n";
const DelimitedTextOptions kSemicolon{";", true, true, true, 2};

const char* FileName(ImportFormat format) {
  switch (format) {
    case ImportFormat::OlderPair:
      return "t.don";
    case ImportFormat::Fstat:
      return "t.dat";
    case ImportFormat::Genepop:
      return "t.gen";
    case ImportFormat::DelimitedText:
      break;
  }
  return "t.txt";
}

const char* const kNoIndividual = "aucun individu : ce fichier n'a rien à importer.";
const char* const kNoLocus = "aucun locus : ce fichier n'a aucun génotype à importer.";

TEST(ImportCheck, AFileThatGivesNoIndividualOrNoLocusIsRefused) {
  const Case cases[] = {
      {"older pair, no individual",
       ImportFormat::OlderPair,
       "0 2\r\n\r\n\r\n\r\n",
       {kNoIndividual}},
      {"older pair, no locus",
       ImportFormat::OlderPair,
       "2 0\r\n\r\n\r\n\r\nA001\r\nA002\r\n",
       {kNoLocus}},
      {"FSTAT, a header with its locus names",
       ImportFormat::Fstat,
       "0 2 9 2\nL1\nL2\n",
       {kNoIndividual}},
      {"FSTAT, no locus", ImportFormat::Fstat, "2 0 9 2\n1\n2\n", {kNoLocus}},
      {"GENEPOP, a POP line and no individual",
       ImportFormat::Genepop,
       "T\nL1\nL2\nPop\n",
       {kNoIndividual}},
      {"GENEPOP, POP lines only",
       ImportFormat::Genepop,
       "T\nL1\nPop\n\nPOP\npop\n",
       {kNoIndividual}},
      {"GENEPOP, no locus", ImportFormat::Genepop, "T\nPop\na,\n", {kNoLocus}},
      {"text, an empty file", ImportFormat::DelimitedText, "", {kNoIndividual}},
      {"text, blank lines", ImportFormat::DelimitedText, "\r\n ; \r\n\r\n", {kNoIndividual}},
      {"text, the locus line alone", ImportFormat::DelimitedText, "L1;L2\n", {kNoIndividual}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFiles files;
    const std::string path = files.Write(FileName(c.format), c.bytes);
    files.Write("t.mod", kMod);
    const Error e = ErrorOf([&] { ImportForeignFile(c.format, path, kSemicolon); });
    EXPECT_EQ(e.kind(), ErrorKind::Input);
    EXPECT_EQ(std::string(e.what()), path + " : " + c.said.front());
  }
  // Without a file name the sentence stands alone.
  std::istringstream in("0 1 9 2\nL1\n");
  EXPECT_STREQ(ErrorOf([&] { ReadFstatFile(in); }).what(),
               "Aucun individu : ce fichier n'a rien à importer.");
}

TEST(ImportCheck, WhatTheTableWillHoldShortOfTheFileIsSaidWithItsCount) {
  const Case cases[] = {
      {"FSTAT 1200, 0012 and 0100; 0 is no allele known",
       ImportFormat::Fstat,
       "1 2 9 2\nL1\nL2\n1 1200 0012\n1 0101 0100\n1 0 0000\n",
       {"3 génotypes n'ont qu'un allèle (l'autre 0) : ils comptent comme manquants dans les "
        "analyses et s'enregistrent « 000000 »."}},
      {"older pair 101000",
       ImportFormat::OlderPair,
       "1 2\r\n\r\n\r\n\r\nA001 101000 0\r\n",
       {"1 génotype n'a qu'un allèle (l'autre 0) : il compte comme manquant dans les analyses et "
        "s'enregistre « 000000 »."}},
      {"GENEPOP 0100 and 0001",
       ImportFormat::Genepop,
       "T\nL1\nL2\nPop\na, 0100 0000\nb, 0001 0101\n",
       {"2 génotypes n'ont qu'un allèle (l'autre 0) : ils comptent comme manquants dans les "
        "analyses et s'enregistrent « 000000 »."}},
      {"GENEPOP 000101",
       ImportFormat::Genepop,
       "T\nL1\nPop\na, 000101\nb, 101101\n",
       {"1 génotype n'a qu'un allèle (l'autre 0) : il compte comme manquant dans les analyses et "
        "s'enregistre « 000000 »."}},
      {"text 0100 and 0001, an empty field missing whole",
       ImportFormat::DelimitedText,
       "L1;L2;L3\nP;i;0100;0001;\n",
       {"2 génotypes n'ont qu'un allèle (l'autre 0) : ils comptent comme manquants dans les "
        "analyses et s'enregistrent « 000000 »."}},
      {"names cut to one, as populations named the individuals",
       ImportFormat::Genepop,
       "T\nL1\nPop\nPopulation 1, 0101\nPopulation 1, 0101\nPop\nPopulation 2, 0101\n"
       "abcdefghijk, 0101\nabcdefghij, 0101\n",
       {"4 noms d'individus ont plus de 10 caractères : l'enregistrement en garde les 10 premiers, "
        "et 5 individus ne se distinguent plus par leur nom."}},
      {"long names alike in full were alike before the cut",
       ImportFormat::Genepop,
       "T\nL1\nPop\nabcdefghijkl, 0101\nabcdefghijkl, 0101\n",
       {"2 noms d'individus ont plus de 10 caractères : l'enregistrement en garde les 10 "
        "premiers."}},
      {"one name cut to another's whole name",
       ImportFormat::DelimitedText,
       "L1\nP;Population;0101\nP;Population 1;0101\nP;Population;0101\n",
       {"1 nom d'individu a plus de 10 caractères : l'enregistrement en garde les 10 premiers, et "
        "3 individus ne se distinguent plus par leur nom."}},
      {"population identifiers",
       ImportFormat::DelimitedText,
       "L1\nthe northern valley, site A;i1;0101\nthe northern valley, site B;i2;0101\n"
       "the southern valley, site A;i3;0101\nthe southern valley, site A;i4;0101\n"
       "short;i5;0101\n",
       {"3 noms de population ont plus de 25 caractères : la table en garde les 25 premiers, et 2 "
        "populations ne se distinguent plus par leur nom."}},
      {"GENEPOP populations take their last individual's name",
       ImportFormat::Genepop,
       "T\nL1\nPop\nan individual of a long name, 0101\nb, 0101\nPop\nc, 0101\n"
       "another individual of a long name, 0100\n",
       {"1 génotype n'a qu'un allèle (l'autre 0) : il compte comme manquant dans les analyses et "
        "s'enregistre « 000000 ».",
        "2 noms d'individus ont plus de 10 caractères : l'enregistrement en garde les 10 "
        "premiers.",
        "1 nom de population a plus de 25 caractères : la table en garde les 25 premiers."}},
      {"GENEPOP names of 10 characters written the usual way lose only their blank",
       ImportFormat::Genepop,
       "T\nL1\nPop\nabcdefghij , 0101\nabcdefghik\t \t, 0101\nabcdefghij, 0101\n",
       {}},
      {"a name whose cut drops a letter after blanks, and the names it then joins",
       ImportFormat::Genepop,
       "T\nL1\nPop\nabcdefghij  k , 0101\nabcdefghij , 0101\nabcdefghik , 0101\n",
       {"1 nom d'individu a plus de 10 caractères : l'enregistrement en garde les 10 premiers, et "
        "2 individus ne se distinguent plus par leur nom."}},
      {"a population name of 25 characters and blanks after them",
       ImportFormat::Genepop,
       "T\nL1\nPop\nthe northern valley sitea   , 0101\n",
       {"1 nom d'individu a plus de 10 caractères : l'enregistrement en garde les 10 premiers."}},
      {"names of 10 and 25 characters are whole",
       ImportFormat::DelimitedText,
       "L1\nthe northern valley, site;abcdefghij;0101\n",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFiles files;
    const std::string path = files.Write(FileName(c.format), c.bytes);
    files.Write("t.mod", kMod);
    ImportWarnings warnings;
    ImportForeignFile(c.format, path, kSemicolon, &warnings);
    std::vector<std::string> said;
    for (const std::string& s : c.said) said.push_back(path + " : " + s);
    EXPECT_EQ(warnings, said);
  }
  // The files other tools wrote hold nothing the table drops.
  for (const auto& [format, file] : {std::pair{ImportFormat::Fstat, "nancycats.dat"},
                                     std::pair{ImportFormat::Genepop, "c2line.gen"}}) {
    ImportWarnings warnings;
    ImportForeignFile(format, test::FormatsData(file), {}, &warnings);
    EXPECT_THAT(warnings, IsEmpty()) << file;
  }
}

}  // namespace
}  // namespace relakin
