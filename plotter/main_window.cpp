#include "plotter/main_window.h"

#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QMenuBar>
#include <QVBoxLayout>
#include <cstdio>
#include <exception>

#include "plotter/about_box.h"
#include "plotter/class_dialog.h"
#include "plotter/distribution_dialog.h"
#include "plotter/error_box.h"
#include "plotter/histogram_chart.h"
#include "plotter/icons.h"
#include "plotter/open_dialog_filter.h"
#include "plotter/stats/errors.h"
#include "plotter/stats/histogram.h"

namespace vodave {
namespace {

QString ChooseFile(QWidget* parent) {
  const QString filter = QtFileFilter(kOpenDialogFilter);
  QString selected = filter.section(";;", 0, 0);
  return QFileDialog::getOpenFileName(parent, QString(), QString(), filter, &selected,
                                      QFileDialog::HideNameFilterDetails);
}

// Written where the plotter has always written it, for whoever started it from a console.
void WriteToStandardOutput(const char* text) {
  std::fputs(text, stdout);
  std::fflush(stdout);
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), file_chooser_(ChooseFile) {
  setObjectName("Form1");
  setWindowTitle("Graphiques");
  setWindowIcon(ProgramIcon());
  move(112, 70);
  resize(854, 612);

  Panel1_ = new QFrame(this);
  Panel1_->setObjectName("Panel1");
  Panel1_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1_->setLineWidth(2);
  Chart1_ = new HistogramChart(Panel1_);
  Chart1_->hide();
  auto* layout = new QVBoxLayout(Panel1_);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(Chart1_);
  setCentralWidget(Panel1_);
  BuildMenus();
}

void TForm1::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&Fichier");
  file->setObjectName("File1");
  QAction* open = file->addAction("&Ouvrir", this, &TForm1::Open1Click);
  open->setObjectName("Open1");
  file->addSeparator()->setObjectName("N1");
  file->addAction("&Quitter", this, &TForm1::Exit1Click)->setObjectName("Exit1");

  QMenu* changes = menuBar()->addMenu(QString::fromUtf8("&Paramètres"));
  changes->setObjectName("Changes1");
  Nbclasses1_ = changes->addAction("Nb classes", this, &TForm1::Nbclasses1Click);
  Nbclasses1_->setObjectName("Nbclasses1");
  Nbclasses1_->setEnabled(false);
  Variable1_ = changes->addAction("Distribution", this, &TForm1::Variable1Click);
  Variable1_->setObjectName("Variable1");
  Variable1_->setEnabled(false);

  QMenu* help = menuBar()->addMenu("&Aide");
  help->setObjectName("help1");
  help->addAction("A propos ...", this, &TForm1::About1Click)->setObjectName("About1");
}

void TForm1::SetDialogs(TAboutBox* aboutBox, TBtnRightDlg* classDialog, Tdistrib* distribution) {
  AboutBox_ = aboutBox;
  BtnRightDlg_ = classDialog;
  distrib_ = distribution;
}

void TForm1::SetFileChooser(FileChooser chooser) { file_chooser_ = std::move(chooser); }

void TForm1::Open1Click() {
  const QString path = file_chooser_(this);
  if (path.isEmpty()) return;
  plot_file_name_ = path;
  if (!trace()) return;
  Nbclasses1_->setEnabled(true);
  Variable1_->setEnabled(true);
}

bool TForm1::trace() {
  Chart1_->hide();
  Chart1_->Clear();
  try {
    const Histogram h = ComputeHistogram(QFile::encodeName(plot_file_name_).toStdString(),
                                         BtnRightDlg_->NbClasses());
    distrib_->SetComputation(h.Classes, h.Stats);
    Chart1_->Fill(h.Classes, h.Stats.ObservedClass);
    Chart1_->show();
    return true;
  } catch (const Error& e) {
    if (e.kind() == ErrorKind::TooManyValues) {
      WriteToStandardOutput(e.what());
      Unload();
    }
    ShowErrorBox(this, QString::fromUtf8(e.what()));
  } catch (const std::exception& e) {
    ShowErrorBox(this, QString::fromUtf8(e.what()));
  }
  return false;
}

void TForm1::Unload() {
  plot_file_name_.clear();
  Chart1_->hide();
  Chart1_->Clear();
  Nbclasses1_->setEnabled(false);
  Variable1_->setEnabled(false);
  distrib_->Clear();
}

void TForm1::Nbclasses1Click() {
  if (plot_file_name_.isEmpty()) return;
  if (BtnRightDlg_->exec() == QDialog::Accepted) trace();
}

void TForm1::Variable1Click() { distrib_->ShowDistribution(); }

void TForm1::About1Click() { AboutBox_->exec(); }

void TForm1::Exit1Click() { close(); }

}  // namespace vodave
