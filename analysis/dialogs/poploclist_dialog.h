// The subset chooser: the user moves populations and loci from the source lists to the
// destination lists; OK sets Document::PopSelection and LocusSelection from the destinations,
// has the selection file "temp.tmp" written (which raises AnalysisFileReady) and releases the
// flags. Cancel writes nothing. Items read "<number>-<name>"; the number before the first "-"
// identifies them. Each pair of lists is wide enough for its widest item, as far as the screen
// allows.
//
// The chooser may close only while the process-wide PopLocListCloseAllowed is up: a refused OK
// lowers it, Cancel (or Escape) and a completed OK raise it, and a new chooser leaves it as the
// last one left it.
#pragma once

#include <QDialog>

#include "core/document.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace relakin {

class Prompts;

class Tpoploclist : public QDialog {
  Q_OBJECT

 public:
  static inline bool PopLocListCloseAllowed = false;

  // FormCreate: fills the lists (a used locus without a name is said here) and creates the
  // selection flags, all down. `doc` and `prompts` must outlive the chooser.
  Tpoploclist(Document& doc, Prompts& prompts, QWidget* parent = nullptr);

  QListWidget* SrcList;
  QListWidget* DstList;
  QListWidget* srcloc;
  QListWidget* dstloc;
  QPushButton* IncludeBtn;
  QPushButton* IncAllBtn;
  QPushButton* ExcludeBtn;
  QPushButton* ExAllBtn;
  QPushButton* SpeedButton1;
  QPushButton* SpeedButton2;
  QPushButton* SpeedButton3;
  QPushButton* SpeedButton4;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QPushButton* HelpBtn;

 public slots:
  // Escape presses Cancel.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildLists();
  void fillLists();
  void fitLists();
  void moveOne(QListWidget* source, QListWidget* destination);
  void moveAll(QListWidget* source, QListWidget* destination);
  static void MoveSelected(QListWidget* list, QListWidget* destination);
  static int GetFirstSelection(QListWidget* list);
  void SetItem(QListWidget* list, int index);
  void SetButtons();
  void OKBtnClick();

  Document& doc_;
  Prompts& prompts_;
};

}  // namespace relakin
