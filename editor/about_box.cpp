#include "editor/about_box.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace relakin {
namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle("A propos");

  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);

  auto* icon = MakeLabel(panel, "ProgramIcon", {});
  icon->setPixmap(QIcon(":/icons/relakin.xpm").pixmap(32, 32));

  auto* product = MakeLabel(panel, "ProductName", "RELAKIN ");
  QFont big = product->font();
  big.setPointSize(big.pointSize() * 2);
  big.setBold(true);
  product->setFont(big);
  product->setStyleSheet("color: blue;");
  auto* version = MakeLabel(panel, "Version", "Version 1.1 du 03/04/2003");
  auto* history = MakeLabel(panel, "Label1", "History :");
  auto* memo = new QPlainTextEdit(panel);
  memo->setObjectName("Memo1");
  memo->setReadOnly(true);
  memo->setPlainText(
      "ver 1.1 3/04/2003 : The output of permutation test on variance values is "
      "corrected to print Variance values instead of Standard deviation. ");
  auto* comments = MakeLabel(panel, "Comments",
                             QString::fromUtf8("Apparentement entre individus à partir de leurs "
                                               "génotypes multilocus"));
  comments->setAlignment(Qt::AlignCenter);
  comments->setWordWrap(true);

  auto* heading = new QHBoxLayout;
  heading->addWidget(icon, 0, Qt::AlignTop);
  auto* titles = new QVBoxLayout;
  titles->addWidget(product);
  titles->addWidget(version);
  heading->addLayout(titles, 1);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->addLayout(heading);
  panelLayout->addWidget(history);
  panelLayout->addWidget(memo);
  panelLayout->addWidget(comments);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  resize(380, 300);
}

}  // namespace relakin
