// Tools > Conversion: each item asks for a path with its own filter, writes the table there and
// says so; cancelling writes nothing; a bad cell ends in the error box with no file.
#include <QDir>

#include "editor/conversion_commands.h"
#include "main_window_fixture.h"

namespace relakin::test {
namespace {

using ConversionTest = MainWindowTest;

const struct {
  const char* action;
  const char* filter;
  const char* name;
  const char* firstLine;
} kItems[] = {
    {"Genpop1", "Fichiers GENEPOP(*.POP)|*.POP|Fichiers texte (*.TXT)|*.TXT", "out.POP",
     "Vous pouvez \xE9"
     "diter cette ligne !\r\n"},
    {"Fstat1", "Fichiers FSTAT (*.DAT)|*.DAT|Fichiers texte (*.TXT)|*.TXT", "out", "2 2 2 2\r\n"},
    {"BIOSYS1", "Fichiers BIOSYS (*.BIO)|*.BIO|Fichiers texte (*.TXT)|*.TXT", "out.txt",
     "SINGLE INDIVIDUAL GENOTYPE INPUT \r\n"},
};

TEST_F(ConversionTest, WritesTheChosenPathAndLeavesTheWindowAsItWas) {
  openFixture();
  window->model()->setData(window->model()->tableIndex(1, 2), "Ind01");
  ASSERT_TRUE(window->isModified());
  const QString caption = window->windowTitle();
  for (const auto& item : kItems) {
    prompts.told.clear();
    prompts.fileFilters.clear();
    prompts.saveNames.push_back(path(item.name));
    trigger(item.action);
    EXPECT_EQ(prompts.fileFilters, QStringList({item.filter}));
    EXPECT_TRUE(ReadAll(path(item.name)).startsWith(item.firstLine)) << item.action;
    ASSERT_EQ(prompts.told.size(), 1u) << item.action;
    EXPECT_EQ(prompts.told[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(prompts.told[0].text, path(item.name) + QString::fromUtf8(" est crée !"));
    EXPECT_TRUE(window->isModified());
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(window->currentFileName(), TestData("two_pops.bvt"));
  }
  EXPECT_TRUE(ReadAll(path("out.POP")).endsWith("\r\nSouth, 0101 0101\r\nSouth, 0101 0000"));
}

TEST_F(ConversionTest, CancelWritesNothing) {
  openFixture();
  prompts.fileFilters.clear();
  for (const auto& item : kItems) trigger(item.action);
  EXPECT_EQ(prompts.fileFilters.size(), 3);
  EXPECT_TRUE(prompts.told.empty());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

TEST_F(ConversionTest, BadCellEndsInTheErrorBoxWithoutAFile) {
  openFixture();
  window->model()->setData(window->model()->tableIndex(3, 4), "2x0210");
  for (const auto& item : kItems) {
    prompts.told.clear();
    prompts.saveNames.push_back(path(item.name));
    trigger(item.action);
    ASSERT_EQ(prompts.told.size(), 1u) << item.action;
    EXPECT_EQ(prompts.told[0].icon, QMessageBox::Critical);
    EXPECT_EQ(prompts.told[0].text,
              QString::fromUtf8("« 2x0210 » n'est pas un génotype valide (locus 2, individu 3)."));
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// What is typed is what the exports write, read as Save reads it: a typing the file cannot
// carry ends in the error box before any file is made; blanks around a genotype are read away,
// so the genotype the survey counted is exported with its ranks.
TEST_F(ConversionTest, ATypedGenotypeIsExportedAsSaveReadsIt) {
  openFixture();
  QStringList written;
  for (const auto& item : kItems) {
    SCOPED_TRACE(item.action);
    const QString name = QString(item.name) + ".typed";
    typeIntoCell(2, 3, "12345");  // Ind2 at L1
    prompts.told.clear();
    prompts.saveNames.push_back(path(name));
    trigger(item.action);
    EXPECT_EQ(prompts.errors(),
              QStringList({QString::fromUtf8(
                  "« 12345 » n'est pas un génotype valide (locus 1, individu 2).")}));
    EXPECT_EQ(prompts.told.size(), 1u);
    EXPECT_FALSE(QFile::exists(path(name)));

    typeIntoCell(2, 3, "105105 ");
    ASSERT_EQ(cell(2, 3), "105105 ");
    prompts.told.clear();
    prompts.saveNames.push_back(path(name));
    trigger(item.action);
    EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join("\n").toStdString();
    const QByteArray typed = ReadAll(path(name));
    EXPECT_TRUE(typed.contains(" 0202 0101")) << typed.toStdString();  // ranks of 105 and 210

    const QString plainName = QString(item.name) + ".plain";
    typeIntoCell(2, 3, "105105");
    prompts.saveNames.push_back(path(plainName));
    trigger(item.action);
    EXPECT_EQ(ReadAll(path(plainName)), typed);
    written << name << plainName;
  }
  written.sort();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), written);
}

}  // namespace
}  // namespace relakin::test
