// The import dialog: the user picks a file (name box, file, directory, drive and filter lists)
// and one of four formats; OK checks the choice, reads the file with that format's reader into a
// table of its own and, when it was read, puts it in the main window in the state Open leaves,
// under the file's name as the name box holds it. A failed read leaves the main window as it
// was.
//
// Choosing a directory makes it the process's current directory. Closing follows the
// process-wide ImportCloseAllowed (false when the program starts): lowered by each validation
// message, raised by Cancel (or Escape) and once a reader has run.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

#include "core/document.h"
#include "formats/import_text.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace relakin {

class Prompts;
class RadioGroup;

// What the dialog needs of the window it imports into: its prompts, its status line and table
// area while a file is read, and taking in the table that was read.
class ImportTarget {
 public:
  virtual Prompts& prompts() const = 0;
  virtual void setStatusText(const QString& text) = 0;
  // The area that shows the hourglass while a file is read.
  virtual QWidget* tableArea() const = 0;
  // Puts `read` in the window, named `name` as the name box holds it, then says `warnings`,
  // what the reader changed on the way in.
  virtual void takeImportedTable(Document&& read, const QString& name,
                                 const ImportWarnings& warnings) = 0;

 protected:
  ~ImportTarget() = default;
};

class Tf_import : public QDialog {
  Q_OBJECT

 public:
  // Opens on the process's current directory, over `parent`. `target` must outlive the dialog.
  Tf_import(ImportTarget& target, QWidget* parent);

  static bool ImportCloseAllowed();
  static void setImportCloseAllowed(bool allowed);

  // The directory list's choice: current directory, file list and Label1 follow.
  void setDirectory(const QString& path);
  // The filter list's choice, by index.
  void setFilter(int index);

  QLineEdit* nomfich() const { return nomfich_; }
  QLabel* Label1() const { return Label1_; }
  QListWidget* FileListBox1() const { return FileListBox1_; }
  QListWidget* DirectoryListBox1() const { return DirectoryListBox1_; }
  QComboBox* DriveComboBox1() const { return DriveComboBox1_; }
  QComboBox* FilterComboBox1() const { return FilterComboBox1_; }
  RadioGroup* Nature() const { return Nature_; }
  QPushButton* OKBtn() const { return OKBtn_; }
  QPushButton* CancelBtn() const { return CancelBtn_; }
  QPushButton* HelpBtn() const { return HelpBtn_; }

 public slots:
  // Escape presses Cancel.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OKBtnClick();
  // Steps 1 to 3 of OK: false after the message that refuses the choice.
  bool acceptChoice(const QString& F);
  // The table the chosen reader read; nothing when the text dialog was cancelled. What the
  // reader changed on the way in goes to `warnings`.
  std::optional<Document> readFile(const QString& F, int format, ImportWarnings& warnings);
  void fillDirectories();
  void fillFiles();
  void fillDrives();
  QString mask() const;

  ImportTarget& target_;
  QString directory_;
  QLineEdit* nomfich_;
  QLabel* Label1_;
  QListWidget* FileListBox1_;
  QListWidget* DirectoryListBox1_;
  QComboBox* DriveComboBox1_;
  QComboBox* FilterComboBox1_;
  RadioGroup* Nature_;
  QPushButton* OKBtn_;
  QPushButton* CancelBtn_;
  QPushButton* HelpBtn_;
};

// Whether the file name `name` matches `mask`: "*.*" matches every file; otherwise any of the
// ";"-separated wildcard patterns, ignoring letter case.
bool MatchesMask(const QString& name, const QString& mask);

}  // namespace relakin
