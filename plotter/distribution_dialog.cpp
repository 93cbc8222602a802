#include "plotter/distribution_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "plotter/error_box.h"
#include "plotter/icons.h"
#include "plotter/stats/statistics_texts.h"

namespace vodave {
namespace {

constexpr int kWidth = 648;
constexpr int kHeight = 454;
constexpr int kColumnWidth = 120;
constexpr int kRowHeight = 20;
constexpr int kEditWidth = 88;

std::unique_ptr<QPrinter> DefaultPrinter() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return nullptr;
  return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

std::string DecimalSeparator() { return QLocale().decimalPoint().toStdString(); }

QLabel* Label(const char* text, QWidget* parent, bool wrap = false) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setWordWrap(wrap);
  return label;
}

}  // namespace

Tdistrib::Tdistrib(QWidget* parent) : QDialog(parent), printer_factory_(DefaultPrinter) {
  setObjectName("distrib");
  setWindowTitle(QString::fromUtf8("Paramètres de la distribution"));
  QFont bold("Times New Roman");
  bold.setBold(true);
  setFont(bold);

  auto* grid = new QGridLayout;
  grid->addWidget(Label("Val. sur données réelles", this, true), 0, 1);
  grid->addWidget(Label("Opposée de la val. réelle", this, true), 0, 2);
  grid->addWidget(AddEdit("val_rel"), 1, 1);
  grid->addWidget(AddEdit("oval_reel"), 1, 2);
  const struct {
    const char* label;
    const char* left;
    const char* right;
  } shares[] = {{"% de val. > ", "pour100", "opour100"},
                {"% de val. = ", "pourc_egal", "opourc_egal"},
                {"% de val. <", "pourc_inf", "opourc_inf"}};
  int row = 2;
  for (const auto& s : shares) {
    grid->addWidget(Label(s.label, this), row, 0);
    grid->addWidget(AddEdit(s.left), row, 1);
    grid->addWidget(AddEdit(s.right), row++, 2);
  }
  const struct {
    const char* label;
    const char* edit;
  } singles[] = {{"Val. minimale", "val_min"},      {"Val. maximale", "val_max"},
                 {"Val. moyenne", "val_mean"},      {"Ecart-type", "std"},
                 {"Coeff. d'asymétrie", "coef_as"}, {"Coeff. d'applatissement", "coef_ap"}};
  for (const auto& s : singles) {
    grid->addWidget(Label(s.label, this), row, 0);
    grid->addWidget(AddEdit(s.edit), row++, 1);
  }
  grid->addWidget(Label("N° de classe contenant la val. sur données réelles", this, true), row, 0,
                  1, 2);
  grid->addWidget(AddEdit("class_r"), row, 2);
  grid->setRowStretch(row + 1, 1);
  grid->setColumnStretch(0, 1);

  Grid1_ = new QTableWidget(this);
  Grid1_->setObjectName("Grid1");
  Grid1_->setColumnCount(2);
  Grid1_->horizontalHeader()->hide();
  Grid1_->verticalHeader()->hide();
  Grid1_->verticalHeader()->setMinimumSectionSize(kRowHeight);
  Grid1_->verticalHeader()->setDefaultSectionSize(kRowHeight);
  Grid1_->setColumnWidth(0, kColumnWidth);
  Grid1_->setColumnWidth(1, kColumnWidth);
  Grid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid1_->setSelectionMode(QAbstractItemView::NoSelection);
  Grid1_->setFocusPolicy(Qt::NoFocus);
  Grid1_->setFixedWidth(2 * kColumnWidth + 2 * Grid1_->frameWidth() + 20);
  SetClassRows(2);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("BitBtn1");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* print = new QPushButton(PrinterIcon(), "Imprimer", this);
  print->setObjectName("BitBtn2");
  print->setAutoDefault(false);
  connect(print, &QPushButton::clicked, this, &Tdistrib::BitBtn2Click);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(print);
  auto* top = new QHBoxLayout;
  top->addLayout(grid, 1);
  top->addWidget(Grid1_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);
  setFixedSize(kWidth, kHeight);
}

QLineEdit* Tdistrib::AddEdit(const char* name) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  // Read-only rather than disabled: the figures keep the normal text colour. Reached by the
  // mouse only, to select and copy a figure; Tab still goes between the buttons.
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::ClickFocus);
  edit->setFixedWidth(kEditWidth);
  edits_[name] = edit;
  return edit;
}

void Tdistrib::SetClassRows(int rows) {
  Grid1_->clearContents();
  Grid1_->setRowCount(rows);
  // The first row and column are the grid's fixed cells.
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < 2; ++c) {
      auto* item = new QTableWidgetItem;
      item->setFlags(Qt::ItemIsEnabled);
      if (r == 0 || c == 0) item->setBackground(palette().color(QPalette::Button).darker(110));
      Grid1_->setItem(r, c, item);
    }
  }
}

void Tdistrib::SetComputation(const ClassTable& table, const DistributionStats& stats) {
  const auto rows = ClassTableRows(table, DecimalSeparator());
  SetClassRows(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (int c = 0; c < 2; ++c)
      Grid1_->item(static_cast<int>(r), c)->setText(QString::fromStdString(rows[r][c]));
  stats_ = stats;
}

void Tdistrib::Clear() {
  SetClassRows(2);
  stats_.reset();
  FillEdits();
}

void Tdistrib::FillEdits() {
  if (!stats_) {
    for (auto& [name, edit] : edits_) edit->clear();
    return;
  }
  const StatisticsTexts t = MakeStatisticsTexts(*stats_, DecimalSeparator());
  const std::pair<const char*, const std::string*> texts[] = {
      {"val_rel", &t.val_rel},         {"oval_reel", &t.oval_reel},   {"pour100", &t.pour100},
      {"pourc_egal", &t.pourc_egal},   {"pourc_inf", &t.pourc_inf},   {"opour100", &t.opour100},
      {"opourc_egal", &t.opourc_egal}, {"opourc_inf", &t.opourc_inf}, {"val_min", &t.val_min},
      {"val_max", &t.val_max},         {"val_mean", &t.val_mean},     {"std", &t.std_dev},
      {"coef_as", &t.coef_as},         {"coef_ap", &t.coef_ap},       {"class_r", &t.class_r}};
  for (const auto& [name, text] : texts) edits_.at(name)->setText(QString::fromStdString(*text));
}

void Tdistrib::ShowDistribution() {
  FillEdits();
  exec();
}

void Tdistrib::SetPrinterFactory(PrinterFactory factory) { printer_factory_ = std::move(factory); }

bool Tdistrib::PrintImage(QPrinter& printer) {
  const QPixmap image = grab();
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = painter.viewport();
  const double scale = std::min({printer.resolution() / static_cast<double>(logicalDpiX()),
                                 page.width() / static_cast<double>(image.width()),
                                 page.height() / static_cast<double>(image.height())});
  painter.drawPixmap(QRectF(0, 0, image.width() * scale, image.height() * scale), image,
                     QRectF(image.rect()));
  return painter.end();
}

void Tdistrib::BitBtn2Click() {
  const std::unique_ptr<QPrinter> printer = printer_factory_();
  if (!printer) {
    ShowErrorBox(this, QString::fromUtf8("Aucune imprimante par défaut n'est installée."));
  } else if (!PrintImage(*printer)) {
    ShowErrorBox(this, QString::fromUtf8("L'impression n'a pas pu commencer."));
  }
}

}  // namespace vodave
