#include "formats/dialogs/import_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QTableView>
#include <QVBoxLayout>
#include <exception>

#include "formats/dialogs/fictext_dialog.h"
#include "formats/import_file.h"
#include "formats/older_pair_import.h"
#include "widgets/prompts.h"
#include "widgets/radio_group.h"

namespace relakin {
namespace {

bool s_importCloseAllowed = false;

constexpr int kOlderPair = 0;
constexpr int kText = 3;

// "Tous les fichiers (*.*)|*.*|Bravolt ancien (*.don)|*.don|Fichiers Text (*.txt)|*.txt|
// Fichiers FSTAT(*.DAT)|*.dat", label and mask pairs.
const char* const kFilters[][2] = {
    {"Tous les fichiers (*.*)", "*.*"},
    {"Bravolt ancien (*.don)", "*.don"},
    {"Fichiers Text (*.txt)", "*.txt"},
    {"Fichiers FSTAT(*.DAT)", "*.dat"},
};

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

std::string FileSystemName(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The grid's hourglass while a file is read.
class GridWaitCursor {
 public:
  explicit GridWaitCursor(QWidget* grid) : grid_(grid) { grid_->setCursor(Qt::WaitCursor); }
  ~GridWaitCursor() { grid_->unsetCursor(); }
  GridWaitCursor(const GridWaitCursor&) = delete;
  GridWaitCursor& operator=(const GridWaitCursor&) = delete;

 private:
  QWidget* grid_;
};

}  // namespace

bool MatchesMask(const QString& name, const QString& mask) {
  if (mask == "*.*") return true;
  for (const QString& pattern : mask.split(';', Qt::SkipEmptyParts)) {
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern.trimmed()),
                                QRegularExpression::CaseInsensitiveOption);
    if (re.match(name).hasMatch()) return true;
  }
  return false;
}

bool Tf_import::ImportCloseAllowed() { return s_importCloseAllowed; }
void Tf_import::setImportCloseAllowed(bool allowed) { s_importCloseAllowed = allowed; }

Tf_import::Tf_import(ImportTarget& target, QWidget* parent) : QDialog(parent), target_(target) {
  setObjectName("f_import");
  setWindowTitle("Importer un fichier");

  nomfich_ = new QLineEdit("*.*", this);
  nomfich_->setObjectName("nomfich");
  Label1_ = MakeLabel(this, "Label1", {});
  FileListBox1_ = new QListWidget(this);
  FileListBox1_->setObjectName("FileListBox1");
  DirectoryListBox1_ = new QListWidget(this);
  DirectoryListBox1_->setObjectName("DirectoryListBox1");
  DriveComboBox1_ = new QComboBox(this);
  DriveComboBox1_->setObjectName("DriveComboBox1");
  FilterComboBox1_ = new QComboBox(this);
  FilterComboBox1_->setObjectName("FilterComboBox1");
  for (const auto& filter : kFilters) FilterComboBox1_->addItem(filter[0], QString(filter[1]));
  Nature_ = new RadioGroup("Nature", "Format du fichier",
                           {"BRAVOLT v. 2.0 (.mod et .don)", "FSTAT", "GENEPOP",
                            QString::fromUtf8("Texte avec séparateur")},
                           this, RadioGroup::kNoItem);
  OKBtn_ = MakeButton(this, "OKBtn", "OK");
  OKBtn_->setDefault(true);
  CancelBtn_ = MakeButton(this, "CancelBtn", "Cancel");
  HelpBtn_ = MakeButton(this, "HelpBtn", "&Help");  // no help file: does nothing

  auto* grid = new QGridLayout;
  grid->addWidget(MakeLabel(this, "Label2", "Nom du fichier :"), 0, 0);
  grid->addWidget(nomfich_, 1, 0);
  grid->addWidget(Label1_, 0, 1);
  grid->addWidget(FileListBox1_, 2, 0);
  grid->addWidget(DirectoryListBox1_, 1, 1, 2, 1);
  grid->addWidget(FilterComboBox1_, 3, 0);
  grid->addWidget(DriveComboBox1_, 3, 1);
  grid->addWidget(Nature_, 0, 2, 4, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {OKBtn_, CancelBtn_, HelpBtn_}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed dialog border

  fillDrives();
  setDirectory(QDir::currentPath());

  connect(FileListBox1_, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> chosen = FileListBox1_->selectedItems();
    nomfich_->setText(chosen.isEmpty() ? mask() : chosen.front()->text());
  });
  DirectoryListBox1_->installEventFilter(this);
  connect(DirectoryListBox1_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { setDirectory(item->data(Qt::UserRole).toString()); });
  connect(DriveComboBox1_, &QComboBox::activated, this,
          [this](int index) { setDirectory(DriveComboBox1_->itemData(index).toString()); });
  connect(FilterComboBox1_, &QComboBox::currentIndexChanged, this, [this] { fillFiles(); });
  connect(OKBtn_, &QPushButton::clicked, this, &Tf_import::OKBtnClick);
  connect(CancelBtn_, &QPushButton::clicked, this, &Tf_import::reject);
}

void Tf_import::fillDrives() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
      roots << volume.rootPath();
  }
  roots.sort();
  if (!roots.contains(QDir::homePath())) roots << QDir::homePath();
  for (const QString& root : roots) DriveComboBox1_->addItem(QDir::toNativeSeparators(root), root);
}

QString Tf_import::mask() const { return FilterComboBox1_->currentData().toString(); }

void Tf_import::setFilter(int index) { FilterComboBox1_->setCurrentIndex(index); }

void Tf_import::setDirectory(const QString& path) {
  const QFileInfo info(path);
  if (!info.isDir() || !QDir::setCurrent(info.absoluteFilePath())) return;
  directory_ = QDir::currentPath();
  Label1_->setText(QDir::toNativeSeparators(directory_));
  // The drive list shows the volume that holds the directory.
  int best = -1;
  qsizetype bestLength = -1;
  for (int i = 0; i < DriveComboBox1_->count(); ++i) {
    const QString root = DriveComboBox1_->itemData(i).toString();
    const bool holds =
        directory_ == root || directory_.startsWith(root.endsWith('/') ? root : root + '/');
    if (holds && root.size() > bestLength) {
      best = i;
      bestLength = root.size();
    }
  }
  DriveComboBox1_->setCurrentIndex(best);
  fillDirectories();
  fillFiles();
}

// The current directory's ancestors from the root down, then its subdirectories, indented as
// a tree.
void Tf_import::fillDirectories() {
  DirectoryListBox1_->clear();
  QStringList chain;
  for (QDir d(directory_);;) {
    chain.prepend(d.absolutePath());
    if (!d.cdUp()) break;
  }
  int depth = 0;
  const auto add = [this](const QString& path, const QString& name, int indent) {
    auto* item = new QListWidgetItem(QString(indent * 2, ' ') + name, DirectoryListBox1_);
    item->setData(Qt::UserRole, path);
    return item;
  };
  for (const QString& path : chain) {
    const QString name = depth == 0 ? QDir::toNativeSeparators(path) : QFileInfo(path).fileName();
    QListWidgetItem* item = add(path, name, depth++);
    if (path == directory_) DirectoryListBox1_->setCurrentItem(item);
  }
  const QDir here(directory_);
  for (const QFileInfo& sub :
       here.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
    add(sub.absoluteFilePath(), sub.fileName(), depth);
}

void Tf_import::fillFiles() {
  FileListBox1_->clear();
  const QString m = mask();
  for (const QFileInfo& file :
       QDir(directory_).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
    if (MatchesMask(file.fileName(), m)) FileListBox1_->addItem(file.fileName());
  }
  nomfich_->setText(m);
}

void Tf_import::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  OKBtn_->setFocus();
}

void Tf_import::closeEvent(QCloseEvent* event) {
  if (!s_importCloseAllowed) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

bool Tf_import::eventFilter(QObject* watched, QEvent* event) {
  // Enter opens the chosen directory; the list would pass it on to the dialog as OK as well.
  if (watched == DirectoryListBox1_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    QListWidgetItem* item = DirectoryListBox1_->currentItem();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && item != nullptr) {
      setDirectory(item->data(Qt::UserRole).toString());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void Tf_import::reject() {
  s_importCloseAllowed = true;
  QDialog::reject();
}

bool Tf_import::acceptChoice(const QString& F) {
  const auto refuse = [this](const char* text) {
    target_.prompts().tell(this, QMessageBox::NoIcon, QString::fromUtf8(text));
    s_importCloseAllowed = false;
    return false;
  };
  if (F.trimmed().isEmpty() || F == "*.*" || !QFileInfo(F).isFile())
    return refuse("Vous devez spécifier un nom de fichier existant !");
  if (Nature_->itemIndex() < 0) return refuse("Vous devez spécifier le format du fichier !");
  if (Nature_->itemIndex() == kOlderPair) {
    if (!FindOlderLocusFile(FileSystemName(F))) return refuse("Fichier .mod absent !");
  }
  return true;
}

void Tf_import::OKBtnClick() {
  const QString F = nomfich_->text();
  if (!acceptChoice(F)) return;
  std::optional<Document> read;
  ImportWarnings warnings;
  try {
    read = readFile(F, Nature_->itemIndex(), warnings);
    s_importCloseAllowed = true;
  } catch (const std::exception& e) {
    // The reader failed: the main window stays as it was.
    target_.prompts().error(this, QString::fromUtf8(e.what()));
  }
  if (s_importCloseAllowed) accept();
  if (read) target_.takeImportedTable(std::move(*read), F, warnings);
}

std::optional<Document> Tf_import::readFile(const QString& F, int format,
                                            ImportWarnings& warnings) {
  GridWaitCursor wait(target_.tableArea());
  target_.setStatusText("Loading File...");
  if (format != kText)
    return ImportForeignFile(static_cast<ImportFormat>(format), FileSystemName(F), {}, &warnings);
  Tf_fictext text(target_.prompts(), this);
  text.PrepareTextImport(F);
  warnings = text.warnings();
  return text.takeImported();
}

}  // namespace relakin
