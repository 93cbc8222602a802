#include "editor/result_viewer.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringDecoder>

#include "core/codepage.h"
#include "core/errors.h"

namespace relakin {

QString ResultViewer::ReadText(const QString& path) {
  QFile file(path);
  const std::string name = QFile::encodeName(path).toStdString();
  if (!file.open(QIODevice::ReadOnly)) {
    throw Error(ErrorKind::Io, "Impossible d'ouvrir le fichier " + name + ".");
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    throw Error(ErrorKind::Io, "Erreur de lecture du fichier " + name + ".");
  }
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8(bytes);
  if (utf8.hasError()) {
    text = QString::fromStdString(Cp1252ToUtf8(std::string_view(bytes.data(), bytes.size())));
  }
  text.replace("\r\n", "\n");
  text.replace('\r', '\n');
  return text;
}

ResultViewer::ResultViewer(const QString& path, const QString& text, QWidget* parent)
    : QMainWindow(parent, Qt::Window), path_(path) {
  setObjectName("ResultViewer");
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle(QFileInfo(path).fileName());

  text_ = new QPlainTextEdit(this);
  text_->setObjectName("ResultText");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  text_->setFont(fixed);
  text_->document()->setDefaultFont(fixed);
  text_->setPlainText(text);
  setCentralWidget(text_);

  QMenu* file = menuBar()->addMenu(QString::fromUtf8("&Fichier"));
  QAction* print = file->addAction(QString::fromUtf8("&Imprimer..."), this, &ResultViewer::print);
  print->setObjectName("ViewerPrint");
  print->setShortcut(QKeySequence::Print);
  file->addSeparator();
  QAction* close = file->addAction(QString::fromUtf8("&Fermer"), this, &QWidget::close);
  close->setObjectName("ViewerClose");
  close->setShortcut(QKeySequence::Close);
  resize(720, 520);
}

void ResultViewer::printTo(QPrinter& printer) { text_->print(&printer); }

void ResultViewer::print() {
  QPrinter printer;
  printer.setDocName(windowTitle());
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) printTo(printer);
}

}  // namespace relakin
