#include "plotter/about_box.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "plotter/icons.h"

namespace vodave {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle("A propos");

  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* icon = new QLabel(panel);
  icon->setObjectName("ProgramIcon");
  icon->setPixmap(ProgramPixmap());
  auto* product = new QLabel("Rizoduvi pour BRAVOLT", panel);
  product->setObjectName("ProductName");
  auto* version = new QLabel("version 4.0", panel);
  version->setObjectName("Version");

  auto* texts = new QVBoxLayout;
  texts->addWidget(product);
  texts->addWidget(version);
  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->addWidget(icon, 0, Qt::AlignTop);
  panelLayout->addSpacing(12);
  panelLayout->addLayout(texts, 1);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace vodave
