#include "editor/popkeys_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/codepage.h"
#include "core/population_names.h"
#include "editor/population_name_validator.h"
#include "widgets/default_button.h"

namespace relakin {
namespace {

constexpr int kNameColumn = 1;
// The name's bytes as the table holds them.
constexpr int kStoredRole = Qt::UserRole;

// The name editor takes what may be typed into a name and leaves a stored name whole.
class NameDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* widget = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
      edit->setValidator(new PopulationNameValidator(edit, index.data(Qt::EditRole).toString()));
    return widget;
  }
};

QTableWidgetItem* FixedItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

}  // namespace

PopKeysDialog::PopKeysDialog(Document& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setObjectName("popkeys");
  setWindowTitle("Edition des noms des populations :");
  grid_ = new QTableWidget(this);
  grid_->setObjectName("grid_name");
  grid_->setFont(QFont("Times New Roman"));
  grid_->setColumnCount(4);
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setDefaultSectionSize(48);
  grid_->verticalHeader()->setDefaultSectionSize(20);
  grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  // Only the name column is editable (item flags); a key or a double click opens its editor.
  grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);
  grid_->setItemDelegateForColumn(kNameColumn, new NameDelegate(grid_));

  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("BitBtn1");
  ok_->setDefault(true);
  close_ = new QPushButton("Close", this);
  close_->setObjectName("BitBtn2");
  connect(ok_, &QPushButton::clicked, this, [this] {
    store();
    accept();
  });
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addLayout(buttons);
  resize(460, 320);
  KeepReturnOnDefault(*this);
  fill();
}

void PopKeysDialog::showEvent(QShowEvent* event) {
  // A spontaneous show is the window coming back (restored, uncovered): keep what was typed.
  if (!event->spontaneous()) fill();
  QDialog::showEvent(event);
}

void PopKeysDialog::fill() {
  const std::vector<PopulationSummary> rows = SummarizePopulations(doc_);
  grid_->clearContents();
  grid_->setHorizontalHeaderLabels({QString::fromUtf8("N° Pop."), "Nom de la population",
                                    QString::fromUtf8("1° indiv."), "Taille"});
  grid_->setColumnWidth(kNameColumn, 200);
  grid_->setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const PopulationSummary& p = rows[i];
    grid_->setItem(i, 0, FixedItem(QString::number(p.pop)));
    grid_->item(i, 0)->setBackground(QColor(192, 192, 192));  // the fixed column
    auto* name = new QTableWidgetItem(QString::fromStdString(Cp1252ToUtf8(p.name)));
    name->setData(kStoredRole, QByteArray::fromStdString(p.name));
    grid_->setItem(i, kNameColumn, name);
    grid_->setItem(i, 2, FixedItem(QString::number(p.firstIndividual)));
    grid_->setItem(i, 3, FixedItem(QString::number(p.size)));
  }
}

void PopKeysDialog::store() {
  std::vector<std::string> names;
  for (int i = 0; i < grid_->rowCount(); ++i) {
    const QTableWidgetItem* item = grid_->item(i, kNameColumn);
    if (!item) {
      names.emplace_back();
      continue;
    }
    // A name nobody changed keeps its bytes, also those the code page leaves undefined.
    const std::string stored = item->data(kStoredRole).toByteArray().toStdString();
    const std::string text = item->text().toStdString();
    names.push_back(text == Cp1252ToUtf8(stored) ? stored : Utf8ToCp1252(text));
  }
  StorePopulationNames(doc_, names);
}

}  // namespace relakin
