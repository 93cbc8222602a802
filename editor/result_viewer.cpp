#include "editor/result_viewer.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QStringDecoder>
#include <QStyle>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <memory>

#include "core/codepage.h"
#include "core/errors.h"
#include "widgets/window_frame.h"

namespace relakin {
namespace {

// The viewer takes at most this share of the available screen, and no less than the floor.
constexpr double kScreenShare = 0.9;
const QSize kFloor(400, 240);

// The width and height of `text` in a fixed-pitch font whose columns are `column` wide and
// lines `lineHeight` high, TABs going to the next multiple of `tab`. Stops counting once both
// pass `enough`.
QSizeF TextExtent(const QString& text, double column, double tab, const QSizeF& enough,
                  double lineHeight) {
  double widest = 0;
  int lines = 1;
  double x = 0;
  for (const QChar c : text) {
    if (c == u'\n') {
      widest = std::max(widest, x);
      x = 0;
      ++lines;
      if (widest >= enough.width() && lines * lineHeight >= enough.height()) break;
    } else if (c == u'\t' && tab > 0) {
      x = (std::floor(x / tab) + 1) * tab;
    } else {
      x += column;
    }
  }
  return {std::max(widest, x), lines * lineHeight};
}

}  // namespace

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
  KeepCaptionWhole(*this);

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
  fitToText(text, parent);
}

void ResultViewer::fitToText(const QString& text, QWidget* parent) {
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QSize most(static_cast<int>(available.width() * kScreenShare),
                   static_cast<int>(available.height() * kScreenShare));

  // Everything around the text: the frame, the document's margins (the view wants one more
  // below the last line, and whole pixels a line), a scroll bar each way and the menu bar.
  const QFontMetricsF metrics(text_->font());
  const double margin = text_->document()->documentMargin();
  const int frame = 2 * text_->frameWidth();
  const QSize around(frame + static_cast<int>(std::ceil(2 * margin)) + text_->cursorWidth(),
                     frame + static_cast<int>(std::ceil(3 * margin)) + 2);
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, text_);
  const int menu = menuBar()->sizeHint().height();
  const QSizeF room(most.width() - around.width(), most.height() - around.height() - menu);
  const QSizeF extent = TextExtent(text, metrics.horizontalAdvance(u'0'), text_->tabStopDistance(),
                                   room, std::ceil(metrics.lineSpacing()));

  // A scroll bar is needed only across the side that does not fit.
  const bool tooWide = extent.width() > room.width();
  const bool tooHigh = extent.height() > room.height();
  QSize size(
      static_cast<int>(std::ceil(extent.width())) + around.width() + (tooHigh ? bar : 0),
      static_cast<int>(std::ceil(extent.height())) + around.height() + menu + (tooWide ? bar : 0));
  size = size.boundedTo(most).expandedTo(kFloor.boundedTo(most)).expandedTo(minimumSize());
  resize(size);

  // Centred on the main window, within the screen; the window manager frames the viewer as it
  // frames the main window.
  const QWidget* main = parent ? parent->window() : nullptr;
  QRect place(QPoint(), main ? size + main->frameGeometry().size() - main->size() : size);
  place.moveCenter(main ? main->frameGeometry().center() : available.center());
  place.moveLeft(std::clamp(place.left(), available.left(),
                            std::max(available.left(), available.right() + 1 - place.width())));
  place.moveTop(std::clamp(place.top(), available.top(),
                           std::max(available.top(), available.bottom() + 1 - place.height())));
  move(place.topLeft());
}

void ResultViewer::printTo(QPrinter& printer) {
  // A matrix row is far wider than paper: lines wrap at the page's text width, at a blank where
  // there is one, or no pair value would reach the paper.
  const std::unique_ptr<QTextDocument> paper(text_->document()->clone());
  QTextOption option = paper->defaultTextOption();
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  paper->setDefaultTextOption(option);
  paper->print(&printer);
}

void ResultViewer::print() {
  QPrinter printer;
  printer.setDocName(windowTitle());
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) printTo(printer);
}

}  // namespace relakin
