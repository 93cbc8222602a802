// The common file dialogs as QtPrompts sets them up: each file type shown by its label as the
// program writes it, once, and filtering by its patterns.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <ostream>

#include "widgets/prompts.h"

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace relakin {
namespace {

QStringList Shown(const QFileDialog& dialog) {
  const auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
  QStringList texts;
  if (types == nullptr) return texts;
  for (int i = 0; i < types->count(); ++i) texts << types->itemText(i);
  return texts;
}

TEST(FileDialogTypes, LabelsShowOnceAndPatternsFilter) {
  const struct {
    const char* filter;
    QFileDialog::AcceptMode mode;
    QStringList shown;
    QStringList filters;
  } cases[] = {
      {"Fichiers BRAVOLT (*.bvt)|*.bvt|Fichiers texte (*.txt)|*.txt|Tous les fichiers "
       "(*.*)|*.*",
       QFileDialog::AcceptOpen,
       {"Fichiers BRAVOLT (*.bvt)", "Fichiers texte (*.txt)", "Tous les fichiers (*.*)"},
       {"Fichiers BRAVOLT (*.bvt) (*.bvt)", "Fichiers texte (*.txt) (*.txt)",
        "Tous les fichiers (*.*) (*)"}},
      {"BRAVOLT |*.bvt", QFileDialog::AcceptSave, {"BRAVOLT"}, {"BRAVOLT (*.bvt)"}},
      {"Fichiers texte|*.txt|Fichiers résultats|*.res|Fichiers résultats "
       "morvane|*.LD;*.OHT;*.FRE|Tous les fichiers (*.*)|*.*",
       QFileDialog::AcceptOpen,
       {"Fichiers texte", "Fichiers résultats", "Fichiers résultats morvane",
        "Tous les fichiers (*.*)"},
       {"Fichiers texte (*.txt)", "Fichiers résultats (*.res)",
        "Fichiers résultats morvane (*.LD *.OHT *.FRE)", "Tous les fichiers (*.*) (*)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.filter);
    QFileDialog dialog;
    PrepareFileDialog(dialog, FileDialogSpec{QString::fromUtf8(c.filter)}, c.mode);
    EXPECT_EQ(Shown(dialog), c.shown);
    EXPECT_EQ(dialog.nameFilters(), c.filters);
    EXPECT_EQ(dialog.acceptMode(), c.mode);
  }
}

}  // namespace
}  // namespace relakin
