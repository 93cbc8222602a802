#include "editor/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "analysis/dialogs/analysis_commands.h"
#include "core/errors.h"
#include "core/native_file_name.h"
#include "core/new_table.h"
#include "core/population_table.h"
#include "core/row_commands.h"
#include "editor/clipboard_commands.h"
#include "editor/conversion_commands.h"
#include "editor/description_window.h"
#include "editor/dimension_dialog.h"
#include "editor/find_commands.h"
#include "editor/genotype_table_model.h"
#include "editor/grid_cell_delegate.h"
#include "editor/grid_editor.h"
#include "editor/recent_file_commands.h"
#include "editor/view_file_command.h"
#include "editor/import_commands.h"
#include "widgets/window_frame.h"

// The icons are compiled into this static library; make sure the linker keeps them.
static void InitResources() { Q_INIT_RESOURCE(relakin); }

namespace relakin {
namespace {

// Wide enough for the longest label the table can hold, its last individual's, in bold as the
// current row's label is drawn; 68 pixels at least.
int LabelColumnWidth(const QHeaderView& labels) {
  QFont bold = labels.font();
  bold.setBold(true);
  QStyleOptionHeader option;
  option.initFrom(&labels);
  option.orientation = Qt::Vertical;
  option.fontMetrics = QFontMetrics(bold);
  int width = 68;
  const int last = kMaxIndividuals + 1;
  for (const std::string& label : {PopStartLabel(last), IndividualLabel(last)}) {
    option.text = QString::fromStdString(label);
    width =
        std::max(width, labels.style()
                            ->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), &labels)
                            .width());
  }
  return width;
}

}  // namespace

MainWindow::MainWindow(Prompts* prompts, QWidget* parent) : QMainWindow(parent) {
  InitResources();
  if (prompts == nullptr) {
    ownPrompts_ = std::make_unique<QtPrompts>();
    prompts = ownPrompts_.get();
  }
  prompts_ = prompts;
  setObjectName("Form1");
  setWindowTitle(kDesignCaption);
  setWindowIcon(QIcon(":/icons/relakin.xpm"));

  buildGrid();
  buildMenus();
  buildToolBar();
  panel1_ = new QLabel("Ready", this);
  panel1_->setObjectName("Panel1");
  panel1_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  statusBar()->addWidget(panel1_, 1);

  // The dialogs that live for the whole run.
  description_ = new DescriptionWindow(this);
  dimension_ = new DimensionDialog(this);
  // The dialogs kept for the session appear where they appeared the first time.
  KeepFirstPlace(*description_);
  KeepFirstPlace(*dimension_);
  connectCommands();
  resize(900, 600);
  editor_ = std::make_unique<GridEditor>(*this);
  new AnalysisCommands(*this, *this);  // the "&Calc." menu's dialogs, owned by the window
  // Copy, Cut, Paste, Delete, Find and Replace, owned by the window.
  new ClipboardCommands(*this);
  new FindCommands(*this);
  new ConversionCommands(*this);  // Tools > Conversion
  new RecentFileCommands(*this);
  new ViewFileCommand(*this);
  new ImportCommands(*this);    // File > Import, owned by the window
}

MainWindow::~MainWindow() {
  editor_.reset();
  // No view signal may reach a half-destroyed window.
  grid_->disconnect(this);
  model_->disconnect(this);
  grid_->setModel(nullptr);
}

void MainWindow::buildGrid() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  model_ = new GenotypeTableModel(doc_, this);
  grid_ = new QTableView(central);
  grid_->setObjectName("StringGrid1");
  grid_->setModel(model_);
  grid_->setItemDelegate(new GridCellDelegate(grid_));
  grid_->setFont(QFont("Arial"));
  grid_->setTabKeyNavigation(true);
  grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  QHeaderView* headings = grid_->horizontalHeader();
  QHeaderView* labels = grid_->verticalHeader();
  headings->setDefaultSectionSize(65);
  headings->setSectionsMovable(true);
  headings->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  labels->setMinimumSectionSize(12);
  labels->setDefaultSectionSize(18);
  labels->setSectionsMovable(true);
  labels->setSectionResizeMode(QHeaderView::Fixed);
  labels->setFixedWidth(LabelColumnWidth(*labels));
  for (QHeaderView* header : {headings, labels}) {
    QPalette silver = header->palette();
    silver.setColor(QPalette::Button, QColor(192, 192, 192));
    header->setPalette(silver);
  }
  // A new table keeps the width the name column had.
  connect(headings, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
    if (logical == 0 && size > 0) nameWidth_ = size;
  });
  connect(model_, &QAbstractItemModel::modelReset, this,
          [this] { grid_->setColumnWidth(0, nameWidth_); });
  grid_->hide();
  layout->addWidget(grid_);
  setCentralWidget(central);
}

void MainWindow::connectCommands() {
  const auto bind = [this](const char* name, void (MainWindow::*command)()) {
    connect(action(name), &QAction::triggered, this, [this, command] { (this->*command)(); });
  };
  const auto bindBool = [this](const char* name, bool (MainWindow::*command)()) {
    connect(action(name), &QAction::triggered, this, [this, command] { (this->*command)(); });
  };
  bind("new1", &MainWindow::newTable);
  bind("New_b", &MainWindow::newTable);
  bind("open1", &MainWindow::openFile);
  bind("open_b", &MainWindow::openFile);
  bindBool("Save1", &MainWindow::save);
  bindBool("Saveas1", &MainWindow::saveAs);
  bindBool("save_b", &MainWindow::saveAs);  // the tool button always saves under a new name
  connect(action("Quit1"), &QAction::triggered, this, &QWidget::close);
  connect(action("quit_b"), &QAction::triggered, this, &QWidget::close);
  bind("Diagnostique1", &MainWindow::diagnostic);
  bind("About1", &MainWindow::about);
  bind("Plotingdistribution1", &MainWindow::startPlotter);
  // Help ("SpeedButton1"): there is no help file, so it does nothing.
  connect(model_, &GenotypeTableModel::cellEdited, this, [this] { setModified(true); });
}

QAction* MainWindow::action(const char* name) const { return findChild<QAction*>(name); }

void MainWindow::setStatusText(const QString& text) { panel1_->setText(text); }
QString MainWindow::statusText() const { return panel1_->text(); }

void MainWindow::setCurrentFileName(const QString& name) {
  fileName_ = name;
  importedName_ = false;
  doc_.CurrentFileName = QFile::encodeName(name).toStdString();
}

void MainWindow::setImportedFileName(const QString& name) {
  setCurrentFileName(name);
  importedName_ = true;
  refreshCaption();
}

void MainWindow::refreshCaption() {
  setWindowTitle(fileName_.isEmpty() ? QString(kDesignCaption) : fileName_);
}

void MainWindow::enableTableCommands(bool includingSave) {
  static const char* const kCommands[] = {"Saveas1", "save_b", "cut_b",       "paste_b",
                                          "copy_b",  "Trait1", "Conversion1", "Diagnostique1"};
  for (const char* name : kCommands) action(name)->setEnabled(true);
  if (includingSave) action("Save1")->setEnabled(true);
  for (QAction* item : action("Edit1")->menu()->actions()) item->setEnabled(true);
}

void MainWindow::clearGrid() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ClearTable(doc_.Cells);
  model_->reset();
  QApplication::restoreOverrideCursor();
}

void MainWindow::showTable() {
  model_->reset();
  grid_->show();
  grid_->setFocus();
  emit tableReplaced();
}

bool MainWindow::event(QEvent* event) {
  // Hints go to the status line, also the empty one sent when the pointer leaves an item.
  if (event->type() == QEvent::StatusTip) {
    setStatusText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

bool MainWindow::runGuarded(const std::function<void()>& command) {
  // What is typed in an open cell editor belongs to the table the command reads.
  GridEditor::FinishEditing(*grid_);
  return runWhileEditing(command);
}

bool MainWindow::runWhileEditing(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const Error& e) {
    // The native reader's refusal of a file that is not its own is a plain message.
    const QMessageBox::Icon icon =
        e.kind() == ErrorKind::NotNativeFile ? QMessageBox::NoIcon : QMessageBox::Critical;
    prompts_->tell(this, icon, QString::fromStdString(e.what()));
  } catch (const std::exception& e) {
    prompts_->error(this, QString::fromStdString(e.what()));
  }
  return false;
}

}  // namespace relakin
