#include "editor/description_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/codepage.h"
#include "editor/description_charts.h"
#include "editor/string_grid.h"
#include "widgets/default_button.h"

namespace relakin {
namespace {

QString Text(const std::string& cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }
QString Number(long long n) { return QString::number(n); }
QString Ordinal(long long n) { return QString::number(n) + QString::fromUtf8("°"); }
QString Allele3(unsigned n) { return QString("%1").arg(n, 3, 10, QChar('0')); }

// Entries 1 .. size - 1 of a table whose slot 0 is unused.
template <class T>
int Count(const std::vector<T>& table) {
  return table.empty() ? 0 : static_cast<int>(table.size()) - 1;
}

// table[i], or an empty value when the table has no entry i.
template <class T>
T At(const std::vector<T>& table, int i) {
  return i < static_cast<int>(table.size()) ? table[i] : T{};
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

DescriptionWindow::DescriptionWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("f_descript");
  setWindowTitle(QString::fromUtf8("Description des données"));
  setFont(QFont("Times New Roman"));

  notebook_ = new QTabWidget(this);
  notebook_->setObjectName("TabbedNotebook1");
  popGrid_ = new StringGrid;
  popGrid_->setObjectName("popGrid");
  popGrid_->setFixed(1, 1);
  locGrid_ = new StringGrid;
  locGrid_->setObjectName("locGrid");
  locGrid_->setFixed(0, 1);
  gridLocPop_ = new StringGrid;
  gridLocPop_->setObjectName("Gridlocpop");
  gridLocPop_->setFixed(1, 1);
  chart1_ = new BarChartView(QString::fromUtf8("Nombre d'allèles par locus"), "Locus",
                             QString::fromUtf8("Nombre d'allèles"));
  chart1_->setObjectName("Chart1");
  chart2_ = new BarChartView({}, "Population", "Effectif");
  chart2_->setObjectName("Chart2");
  chart3_ =
      new PointChartView("Taille des populations", QString::fromUtf8("Nombre moyen d'allèles"));
  chart3_->setObjectName("Chart3");

  notebook_->addTab(popGrid_, "Populations");
  notebook_->addTab(locGrid_, "Locus");
  notebook_->addTab(chart1_, QString::fromUtf8("N allèles / locus"));
  notebook_->addTab(chart2_, QString::fromUtf8("N indiv. / échant."));
  notebook_->addTab(chart3_, QString::fromUtf8("N allèles / taille éch."));
  notebook_->addTab(gridLocPop_, "N all/loc/pop");

  auto* ok = MakeButton(this, "OKBtn", "OK");
  ok->setDefault(true);
  auto* cancel = MakeButton(this, "CancelBtn", "Cancel");
  auto* help = MakeButton(this, "HelpBtn", "Help");  // there is no help file
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(notebook_, 1);
  layout->addLayout(buttons);
  // Wide enough for the six tabs in one row.
  resize(800, 380);
  KeepReturnOnDefault(*this);
}

void DescriptionWindow::fill(const DataDescription& d) {
  fillPopulations(d);
  fillLoci(d);
  fillLociByPopulation(d);
  fillCharts(d);
}

void DescriptionWindow::fillPopulations(const DataDescription& d) {
  const int pops = Count(d.SampleSize);
  popGrid_->reset(3, pops + 1);
  popGrid_->setColumnWidth(0, 64);
  popGrid_->setColumnWidth(1, 170);
  popGrid_->setColumnWidth(2, 64);
  popGrid_->setCell(0, 0, QString::fromUtf8("Pop n°"));
  popGrid_->setCell(1, 0, "Population");
  popGrid_->setCell(2, 0, "N");
  for (int p = 1; p <= pops; ++p) {
    popGrid_->setCell(0, p, Ordinal(p));
    popGrid_->setCell(1, p, Text(At(d.PopNames, p)));
    popGrid_->setCell(2, p, Number(d.SampleSize[p]));
  }
}

void DescriptionWindow::fillLoci(const DataDescription& d) {
  const int loci = Count(d.OutLocusNames);
  int rows = 2;
  for (int k = 1; k <= loci; ++k) rows = std::max(rows, int(d.LocusAlleles[k].size()) + 2);
  locGrid_->reset(loci + 1, rows);
  locGrid_->setCell(0, 1, QString::fromUtf8("Nb. allèles"));
  for (int k = 1; k <= loci; ++k) {
    const auto& alleles = d.LocusAlleles[k];
    locGrid_->setCell(k, 0, Text(d.OutLocusNames[k]));
    locGrid_->setCell(k, 1, Number(alleles.size()));
    for (std::size_t j = 1; j <= alleles.size(); ++j) {
      locGrid_->setCell(k, int(j) + 1, Allele3(alleles[j - 1]));
    }
  }
  for (int row = 2; row < rows; ++row) locGrid_->setCell(0, row, Ordinal(row - 1));
  locGrid_->resizeColumnToContents(0);
}

void DescriptionWindow::fillLociByPopulation(const DataDescription& d) {
  const int pops = Count(d.SampleSize);
  const int loci = Count(d.OutLocusNames);
  gridLocPop_->reset(pops + 1, loci + 1);
  for (int k = 1; k <= loci; ++k) gridLocPop_->setCell(0, k, Text(d.OutLocusNames[k]));
  gridLocPop_->resizeColumnToContents(0);
  for (int p = 1; p <= pops; ++p) {
    gridLocPop_->setCell(p, 0, "Pop" + Number(p));
    const auto counts = At(d.PopLocusAlleleCount, p);
    for (int k = 1; k <= loci; ++k) gridLocPop_->setCell(p, k, Number(At(counts, k)));
  }
}

void DescriptionWindow::fillCharts(const DataDescription& d) {
  QList<qreal> alleles;
  QStringList loci;
  for (int k = 1; k <= Count(d.OutLocusNames); ++k) {
    alleles << qreal(d.LocusAlleles[k].size());
    loci << Text(d.OutLocusNames[k]);
  }
  chart1_->setBars(alleles, loci);

  QList<qreal> sizes;
  QList<QPointF> points;
  QStringList names;
  for (int p = 1; p <= Count(d.SampleSize); ++p) {
    sizes << qreal(d.SampleSize[p]);
    points << QPointF(d.SampleSize[p], double(At(d.PopMeanAlleles, p)));
    names << Text(At(d.PopNames, p));
  }
  chart2_->setBars(sizes, names);
  chart3_->setPoints(points, names);
}

}  // namespace relakin
