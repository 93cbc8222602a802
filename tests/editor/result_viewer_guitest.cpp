// Tools > "&View File content ...": HTML pages go to the desktop's browser, every other file to
// the read-only viewer window, which prints.
#include <QFontInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "editor/result_viewer.h"
#include "editor/view_file_command.h"
#include "main_window_fixture.h"
#include "platform/url_opener.h"

namespace relakin::test {
namespace {

class FakeUrlOpener : public UrlOpener {
 public:
  bool open(const QUrl& url) override {
    opened << url;
    return answer;
  }
  QList<QUrl> opened;
  bool answer = true;
};

class ViewFileTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    window->findChild<ViewFileCommand*>()->setUrlOpener(desktop);
  }
  void TearDown() override {
    for (ResultViewer* v : viewers()) delete v;
    MainWindowTest::TearDown();
  }

  QString write(const QString& name, const QByteArray& bytes) {
    QFile f(path(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path(name);
  }
  QList<ResultViewer*> viewers() const { return window->findChildren<ResultViewer*>(); }
  // "&View File content ..." with `chosen` picked in its dialog (a null string cancels it).
  void view(const QString& chosen) {
    prompts.openNames.push_back(chosen);
    trigger("VoirImprimer1");
  }

  FakeUrlOpener desktop;
};

TEST_F(ViewFileTest, ResultFileOpensInTheFixedPitchViewerUnderItsName) {
  const QByteArray result =
      "Relatedness (Queller & Goodnight)  Donn\xe9"
      "es : two_pops\r\n"
      "   1   2    0.2500\r\n"
      "   1   3   -0.1250\r\n";
  const QString file = write("two_pops.res", result);
  window->setModified(true);
  view(file);

  EXPECT_EQ(prompts.fileFilters.last(),
            "Fichiers texte|*.txt|Fichiers résultats|*.res|Fichiers résultats "
            "morvane|*.LD;*.OHT;*.FRE|Tous les fichiers (*.*)|*.*");
  EXPECT_TRUE(desktop.opened.isEmpty());
  ASSERT_EQ(viewers().size(), 1);
  ResultViewer* viewer = viewers().front();
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_TRUE(viewer->isWindow());
  EXPECT_EQ(viewer->windowTitle(), "two_pops.res");
  QPlainTextEdit* text = viewer->textView();
  EXPECT_EQ(text->toPlainText(),
            "Relatedness (Queller & Goodnight)  Données : two_pops\n"
            "   1   2    0.2500\n"
            "   1   3   -0.1250\n");
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_TRUE(QFontInfo(text->font()).fixedPitch());
  EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_FALSE(viewer->testAttribute(Qt::WA_QuitOnClose));
  EXPECT_TRUE(window->isModified());
  EXPECT_TRUE(prompts.errors().isEmpty());

  // A second file gets a window of its own; closing one deletes it.
  view(write("notes.txt", "caf\xc3\xa9\nline 2"));
  ASSERT_EQ(viewers().size(), 2);
  QPointer<ResultViewer> first = viewer;
  EXPECT_TRUE(first->close());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  ASSERT_EQ(viewers().size(), 1);
  EXPECT_EQ(viewers().front()->textView()->toPlainText(), "café\nline 2");
}

TEST_F(ViewFileTest, HtmlPagesGoToTheBrowserAsFileAddresses) {
  struct Case {
    const char* name;
    QByteArray text;
    bool html;
  };
  const Case cases[] = {
      {"page.htm", "<HTML>\r\n<BODY>x</BODY>\r\n", true},
      {"second.res", "  \r\n<HTML>  \r\n", true},
      {"lower.htm", "<html>\r\n", false},
      {"indented.htm", " <HTML>\r\n", false},
      {"empty.txt", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    desktop.opened.clear();
    const QString file = write(c.name, c.text);
    view(file);
    if (c.html) {
      ASSERT_EQ(desktop.opened.size(), 1);
      EXPECT_EQ(desktop.opened.front(), QUrl::fromLocalFile(file));
      EXPECT_EQ(desktop.opened.front().scheme(), "file");
      EXPECT_TRUE(viewers().isEmpty());
    } else {
      EXPECT_TRUE(desktop.opened.isEmpty());
      ASSERT_EQ(viewers().size(), 1);
      EXPECT_EQ(viewers().front()->path(), file);
    }
    for (ResultViewer* v : viewers()) delete v;
  }
  EXPECT_TRUE(prompts.errors().isEmpty());
}

TEST_F(ViewFileTest, PageTheDesktopCannotOpenIsShownInTheViewer) {
  desktop.answer = false;
  const QString file = write("page.htm", "<HTML>\r\n<P>r = 0.25</P>\r\n");
  view(file);
  EXPECT_EQ(desktop.opened.size(), 1);
  ASSERT_EQ(viewers().size(), 1);
  EXPECT_EQ(viewers().front()->textView()->toPlainText(), "<HTML>\n<P>r = 0.25</P>\n");
}

TEST_F(ViewFileTest, CancelledDialogOrUnreadableFileShowsNoViewer) {
  view(QString());
  EXPECT_TRUE(viewers().isEmpty());
  EXPECT_TRUE(prompts.errors().isEmpty());

  view(path("missing.res"));
  view(dir.path());
  EXPECT_TRUE(viewers().isEmpty());
  EXPECT_TRUE(desktop.opened.isEmpty());
  ASSERT_EQ(prompts.errors().size(), 2);
  EXPECT_TRUE(prompts.errors()[0].contains(path("missing.res")))
      << prompts.errors()[0].toStdString();
}

// `lines` lines of `line`, CR LF ended.
QByteArray Lines(int lines, const QByteArray& line) {
  QByteArray text;
  for (int i = 0; i < lines; ++i) text += line + "\r\n";
  return text;
}

// The viewer opens at the size of its file's text, nine tenths of the screen at most, with a
// scroll bar only across a side that does not fit, and centred on the main window.
TEST_F(ViewFileTest, ViewerFitsItsTextAndIsCentredOnTheMainWindow) {
  window->setGeometry(50, 100, 700, 600);  // room on every side for the longest file
  const QRect screen = window->screen()->availableGeometry();
  const QSize most(screen.width() * 9 / 10, screen.height() * 9 / 10);
  const struct Case {
    const char* name;
    QByteArray text;
    bool wide, high;
  } cases[] = {
      {"matrix.res", Lines(12, QByteArray("   0.2500").repeated(10)), false, false},
      {"limits.res", Lines(6, QByteArray("-0.1250\t").repeated(7)), false, false},
      {"wide.res", Lines(40, QByteArray("  -0.0417").repeated(40)), true, false},
      {"long.res", Lines(400, "   1   2    0.2500"), false, true},
  };
  int matrixWidth = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view(write(c.name, c.text));
    ASSERT_EQ(viewers().size(), 1);
    ResultViewer* viewer = viewers().front();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    QCoreApplication::processEvents();
    QPlainTextEdit* text = viewer->textView();
    EXPECT_LE(viewer->width(), most.width());
    EXPECT_LE(viewer->height(), most.height());
    EXPECT_EQ(text->horizontalScrollBar()->maximum() > 0, c.wide);
    EXPECT_EQ(text->verticalScrollBar()->maximum() > 0, c.high);
    if (c.wide) {
      EXPECT_EQ(viewer->width(), most.width());
    }
    if (c.high) {
      EXPECT_EQ(viewer->height(), most.height());
    }
    const QPoint offset = viewer->frameGeometry().center() - window->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << " " << offset.y();
    if (std::string(c.name) == "matrix.res") matrixWidth = viewer->width();
    if (c.wide) {
      EXPECT_GT(viewer->width(), matrixWidth);
    }
    delete viewer;
  }
}

TEST_F(ViewFileTest, ViewerPrintsItsText) {
  view(write("two_pops.res", "   1   2    0.2500\r\n"));
  ASSERT_EQ(viewers().size(), 1);
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path("printed.pdf"));
  viewers().front()->printTo(printer);
  const QByteArray pdf = ReadAll(path("printed.pdf"));
  EXPECT_TRUE(pdf.startsWith("%PDF")) << pdf.left(20).toStdString();
  EXPECT_NE(viewers().front()->findChild<QAction*>("ViewerPrint"), nullptr);
}

// A word pdftotext finds on a printed page: its page, its box and the page's width (points).
struct PrintedWord {
  QString text;
  int page = 0;
  double left = 0, top = 0, right = 0;
  double pageWidth = 0;
};

// The words of `pdf` as a reader reads the pages: page after page, line after line, left to
// right (pdftotext's own order takes blocks of aligned columns for columns of a page). Read by
// pdftotext, of poppler-utils.
std::vector<PrintedWord> PrintedWords(const QString& pdf) {
  std::vector<PrintedWord> words;
  const QString reader = QStandardPaths::findExecutable("pdftotext");
  if (reader.isEmpty()) {
    ADD_FAILURE() << "pdftotext not found: bash scripts/install-deps.sh installs poppler-utils";
    return words;
  }
  QProcess process;
  process.start(reader, {"-bbox", pdf, "-"});
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    process.kill();
    ADD_FAILURE() << "pdftotext failed: " << process.readAllStandardError().toStdString();
    return words;
  }
  const QString html = QString::fromUtf8(process.readAllStandardOutput());
  static const QRegularExpression tag(
      R"re(<page width="([0-9.]+)"|<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" )re"
      R"re(yMax="[0-9.]+">([^<]*)</word>)re");
  int page = 0;
  double pageWidth = 0;
  for (const QRegularExpressionMatch& m : tag.globalMatch(html)) {
    if (m.capturedLength(1) > 0) {
      ++page;
      pageWidth = m.captured(1).toDouble();
    } else {
      words.push_back({m.captured(5), page, m.captured(2).toDouble(), m.captured(3).toDouble(),
                       m.captured(4).toDouble(), pageWidth});
    }
  }
  std::sort(words.begin(), words.end(), [](const PrintedWord& a, const PrintedWord& b) {
    return std::tuple(a.page, std::lround(a.top), a.left) <
           std::tuple(b.page, std::lround(b.top), b.left);
  });
  return words;
}

// A relatedness matrix's rows are thousands of characters long: on paper they wrap inside the
// page's text area (2 cm from each edge), every value printed, in order, none cut at the edge.
TEST_F(ViewFileTest, PrintedPagesHoldEveryValueOfLongLines) {
  QByteArray text = "Relatedness (Identity)  Data : big\r\n";
  QStringList values;
  for (int row = 1; row <= 3; ++row) {
    QByteArray line = QByteArray::number(row).rightJustified(4, ' ');
    values << QString::number(row);
    for (int col = 1; col <= 492; ++col) {
      const QByteArray value = QByteArray::number(row + col / 1000.0, 'f', 3);
      line += value.rightJustified(9, ' ');
      values << value;
    }
    ASSERT_EQ(line.size(), 4432);
    text += line + "\r\n";
  }
  view(write("big.res", text));
  ASSERT_EQ(viewers().size(), 1);
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path("big.pdf"));
  viewers().front()->printTo(printer);

  const std::vector<PrintedWord> words = PrintedWords(path("big.pdf"));
  ASSERT_FALSE(words.empty());
  constexpr double kTextMargin = 72 * 2 / 2.54;  // 2 cm in points
  std::size_t next = 0;
  for (const PrintedWord& w : words) {
    EXPECT_LE(w.right, w.pageWidth - kTextMargin + 0.5) << w.text.toStdString();
    if (next < static_cast<std::size_t>(values.size()) && w.text == values[next]) ++next;
  }
  EXPECT_EQ(next, static_cast<std::size_t>(values.size()))
      << "first value missing: " << values.value(static_cast<int>(next)).toStdString();
}

}  // namespace
}  // namespace relakin::test
