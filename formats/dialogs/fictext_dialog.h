// The text-import dialog: the user chooses the separator, the digits per allele and which
// identity columns and locus line the file has, while a grid previews how the lines split. OK
// reads the file with ReadDelimitedText into a table of its own, which the import dialog then
// takes (the main table is never touched here).
//
// Closing follows TextImportCloseAllowed: raised when the dialog is prepared, by Cancel (or
// Escape) and by a completed OK, lowered by the digits message and by the separator message
// (OK with no separator: no item chosen in this import or an earlier one, or "Autre" with an
// empty edit). The separator chosen with the items "Espace", "Tabulation" and ";" outlives the
// dialog and serves the next text import of the run whose user picks no item.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

#include "core/document.h"
#include "formats/import_text.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace relakin {

class RadioGroup;
class PreviewModel;
class Prompts;

class Tf_fictext : public QDialog {
  Q_OBJECT

 public:
  // `prompts` must outlive the dialog.
  Tf_fictext(Prompts& prompts, QWidget* parent);

  // Reads FileName (UTF-8 path) into the preview, one line per row, and shows the dialog
  // modally through Prompts::exec. Throws Error(Io) when the file cannot be read, and
  // Error(Input) naming it for a UTF-16 file (ImportedText), before the dialog shows.
  void PrepareTextImport(const QString& FileName);

  // Whether OK read the file; the table it read, taken once.
  bool TextImportDone() const { return done_; }
  std::optional<Document> takeImported();
  // What the reading changed on the way in, once OK has read the file.
  const ImportWarnings& warnings() const { return warnings_; }
  bool closeAllowed() const { return closeAllowed_; }

  // The separator of the items "Espace", "Tabulation" and ";" (process-wide; empty at start).
  static QString TextSeparator();
  static void setTextSeparator(const QString& separator);

  RadioGroup* separateur() const { return separateur_; }
  QLineEdit* Editsepar() const { return Editsepar_; }
  RadioGroup* nbchiffre() const { return nbchiffre_; }
  QCheckBox* liglocus() const { return liglocus_; }
  QCheckBox* identpop() const { return identpop_; }
  QCheckBox* identcol() const { return identcol_; }
  QPushButton* OKBtn() const { return OKBtn_; }
  QPushButton* CancelBtn() const { return CancelBtn_; }
  QTableView* Grid1() const { return Grid1_; }
  PreviewModel* preview() const { return preview_; }

 public slots:
  // Escape presses Cancel.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void separateurClick(int item);
  void EditseparChange(const QString& text);
  void liglocusClick();
  void PreviewDelimitedText(const QString& S);
  void OKBtnClick();
  void CancelBtnClick();

  Prompts& prompts_;
  QString fileName_;
  std::string content_;
  bool done_ = false;
  bool closeAllowed_ = true;
  std::optional<Document> imported_;
  ImportWarnings warnings_;
  RadioGroup* separateur_;
  QLineEdit* Editsepar_;
  RadioGroup* nbchiffre_;
  QCheckBox* liglocus_;
  QCheckBox* identpop_;
  QCheckBox* identcol_;
  QPushButton* OKBtn_;
  QPushButton* CancelBtn_;
  QPushButton* HelpBtn_;
  QTableView* Grid1_;
  PreviewModel* preview_;
};

}  // namespace relakin
