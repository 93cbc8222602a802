// The progress window and the active window on a real X server with a window manager, which
// maps and exposes a window in its own time and moves the focus by its own rules (the offscreen
// platform does both at once). Without an X server and a window manager the tests skip
// themselves; ctest runs them on a desktop of their own (scripts/x11-session.sh: Xvfb with
// openbox). With RELAKIN_SCREENSHOT_DIR set (scripts/screenshot.sh) the screen is saved there
// half a second into a permutation run and a second later.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

#include "analysis/dialogs/progress_window.h"
#include "editor/main_window.h"
#include "modal_windows.h"
#include "paint_count.h"
#include "x11_desktop.h"

namespace relakin::test {
namespace {

using gui_testing::Connection;
using gui_testing::ModalAnswer;
using gui_testing::RealClick;
using ::gui_testing::PaintCount;

// A native file of one population of `individuals`, `loci` loci of ten alleles.
void WriteTable(const QString& path, int individuals, int loci) {
  std::string text = std::to_string(loci) + " big.bvt\r\n1  nombre de pop\r\n";
  for (int l = 1; l <= loci; ++l)
    text += "Locus " + std::to_string(l) + "\r\n10 001 002 003 004 005 006 007 008 009 010 \r\n";
  text += "Synthetic\r\n" + std::to_string(individuals) + "\r\n";
  std::uint32_t seed = 20261211;
  const auto allele = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return 1 + (seed >> 16) % 10;
  };
  char buf[24];
  for (int i = 1; i <= individuals; ++i) {
    std::snprintf(buf, sizeof buf, "%10s", ("Ind" + std::to_string(i)).c_str());
    text += buf;
    for (int l = 0; l < loci; ++l) {
      std::uint32_t a = allele(), b = allele();
      if (a > b) std::swap(a, b);
      std::snprintf(buf, sizeof buf, " %03u%03u", a, b);
      text += buf;
    }
    if (i < individuals) text += "\r\n";
  }
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  ASSERT_EQ(f.write(text.data(), static_cast<qint64>(text.size())),
            static_cast<qint64>(text.size()));
}

// The share of the pixels of `a` that are the same in `b`, of the same size.
double SameShare(const QImage& a, const QImage& b) {
  if (a.isNull() || a.size() != b.size()) return 0;
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  qint64 same = 0;
  for (int row = 0; row < x.height(); ++row) {
    const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
    const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
    for (int col = 0; col < x.width(); ++col) same += p[col] == q[col];
  }
  return static_cast<double>(same) / (qint64{x.width()} * x.height());
}

// A click of the left mouse button on `pos` of `w`, coming from the X server into the program's
// queue of events like the user's own (QTest's clicks are handed straight to the widget).
void SendClick(QWidget* w, QPoint pos) {
  xcb_connection_t* c = Connection();
  const QPoint global = w->mapToGlobal(pos);
  QWidget* top = w->window();
  const QPoint local = top->mapFromGlobal(global);
  for (const bool press : {true, false}) {
    xcb_button_press_event_t e{};
    e.response_type = press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE;
    e.detail = 1;
    e.root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    e.event = static_cast<xcb_window_t>(top->winId());
    e.root_x = static_cast<std::int16_t>(global.x());
    e.root_y = static_cast<std::int16_t>(global.y());
    e.event_x = static_cast<std::int16_t>(local.x());
    e.event_y = static_cast<std::int16_t>(local.y());
    e.state = press ? 0 : XCB_BUTTON_MASK_1;
    e.same_screen = 1;
    xcb_send_event(c, 0, e.event, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
  }
  xcb_flush(c);
}

// A key of the keyboard pressed and released on `w`, as SendClick does.
void SendKey(QWidget* w, xcb_keysym_t keysym) {
  xcb_connection_t* c = Connection();
  const xcb_setup_t* setup = xcb_get_setup(c);
  const int count = setup->max_keycode - setup->min_keycode + 1;
  xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
      c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<std::uint8_t>(count)),
      nullptr);
  ASSERT_NE(map, nullptr);
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
  xcb_keycode_t code = 0;
  for (int k = 0; k < count * map->keysyms_per_keycode && code == 0; ++k)
    if (syms[k] == keysym)
      code = static_cast<xcb_keycode_t>(setup->min_keycode + k / map->keysyms_per_keycode);
  std::free(map);
  ASSERT_NE(code, 0);
  QWidget* top = w->window();
  for (const bool press : {true, false}) {
    xcb_key_press_event_t e{};
    e.response_type = press ? XCB_KEY_PRESS : XCB_KEY_RELEASE;
    e.detail = code;
    e.root = xcb_setup_roots_iterator(setup).data->root;
    e.event = static_cast<xcb_window_t>(top->winId());
    e.same_screen = 1;
    xcb_send_event(c, 0, e.event, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
  }
  xcb_flush(c);
}

QImage ScreenImage() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }

TForm_progress* ProgressWindow() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* p = qobject_cast<TForm_progress*>(w)) return p;
  }
  return nullptr;
}

void KeepScreen(const QImage& screen, const char* name) {
  const QString dir = qEnvironmentVariable("RELAKIN_SCREENSHOT_DIR");
  if (dir.isEmpty() || screen.isNull()) return;
  const QString path = QDir(dir).filePath(QString("relakin-%1.png").arg(name));
  EXPECT_TRUE(QDir().mkpath(dir) && screen.save(path));
  std::printf("%s\n", qPrintable(path));
}

class OnADesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previousDir);
  }

  // The main window with `table` open, shown and active.
  void open(const QString& table) {
    window = std::make_unique<MainWindow>();
    window->loadNativeFile(table);
    window->resize(1000, 700);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    activate(window.get());
  }
  static void activate(QWidget* w) {
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w, 5000)) << w->windowTitle().toStdString();
  }
  // Runs `command` of the Calc. menu; `answer` works in its dialog and should press OK there.
  void run(const char* command, const ModalAnswer::Act& answer) {
    const ModalAnswer dialog(answer, 10000);
    window->action(command)->trigger();
  }

  // A permutation test of `perms` permutations into "perm.res" from the dialog, which `dialog`
  // points to while it is open; `starting` runs just before OK is clicked (the test's timers
  // start there). The run's last message, answered after a moment, goes into `told`.
  void permutationRun(int perms, QPointer<QWidget>& dialog, QStringList& told,
                      const std::function<void()>& starting) {
    run("Permutationsuridentit1", [&](QWidget* shown) {
      dialog = shown;
      dialog->findChild<QSpinBox*>("nbperm")->setValue(perms);
      auto* nomfich = dialog->findChild<QLineEdit*>("nomfich");
      nomfich->selectAll();
      QTest::keyClicks(nomfich, "perm.res");
      starting();
      const ModalAnswer finished(
          [&told](QWidget* box) {
            told << static_cast<QMessageBox*>(box)->text();
            QTest::qWait(200);  // as long as the user reads it
            static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
          },
          60000);
      sweepVectorFiles();
      QTest::mouseClick(dialog->findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
    });
    sweep.stop();
  }

  // A run writes one vector file per permutation (9.5 MB each for the big table); the tests
  // need only its time, so they go as they come.
  void sweepVectorFiles() {
    QObject::connect(&sweep, &QTimer::timeout, [this] {
      const QRegularExpression vector("^vector[0-9]+\\.txt$");
      for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
        if (vector.match(name).hasMatch()) QFile::remove(dir.filePath(name));
    });
    sweep.start(100);
  }

  QTemporaryDir dir;
  QString previousDir;
  std::unique_ptr<MainWindow> window;
  QTimer sweep;
};

// What the screen showed of the progress window at one moment of the run.
struct Seen {
  bool there = false;  // the run still had its window
  bool exposed = false;
  double likeItsRendering = 0;  // share of the window's pixels on the screen as it draws them
  double likeBeneath = 0;       // ... as they were before the window came
  int barPaints = 0;            // paint events of the bar so far
  bool dialogShown = false;     // the analysis dialog beneath
  bool menuOpen = false;        // a menu popped up
  bool framed = false;          // in a frame of the window manager's
  QImage screen;
};

// What the screen shows of the run's progress window now; `beneath`, the screen before the
// window came, may be null. `bar` counts the bar's paints from the first look on.
void Look(Seen& s, const QImage& beneath, const QWidget* dialog,
          std::unique_ptr<PaintCount>& bar) {
  TForm_progress* w = ProgressWindow();
  s.screen = ScreenImage();
  if (w == nullptr) return;
  s.there = true;
  s.exposed = w->windowHandle() != nullptr && w->windowHandle()->isExposed();
  s.framed = gui_testing::ScreenFrame(w).size() != w->size();
  s.barPaints = bar ? bar->paints : 0;  // before grab(), which paints too
  const QRect area(w->mapToGlobal(QPoint(0, 0)), w->size());
  const QImage shown = s.screen.copy(area);
  s.likeItsRendering = SameShare(shown, w->grab().toImage());
  if (!beneath.isNull()) s.likeBeneath = SameShare(shown, beneath.copy(area));
  s.dialogShown = dialog != nullptr && dialog->isVisible();
  s.menuOpen = QApplication::activePopupWidget() != nullptr;
  if (!bar) bar = std::make_unique<PaintCount>(w->Bar1);
}

// A permutation test of 800 individuals and 15 loci. Half a second into the run and a second
// later, the screen shows the progress window, its label and its bar, in place of the dialog
// beneath, and the bar has been painted again in between. Clicks made meanwhile, on the
// dialog's Cancel and on the main window's menu, wait until the run has ended, when the last
// message blocks them: the run goes on to its end and no menu opens.
TEST_F(OnADesktop, ProgressWindowIsDrawnDuringAPermutationRun) {
  SKIP_WITHOUT_DESKTOP();
  WriteTable(dir.filePath("big.bvt"), 800, 15);
  open(dir.filePath("big.bvt"));

  QImage beneath;
  QPointer<QWidget> dialog;
  Seen seen[2];
  std::unique_ptr<PaintCount> bar;
  QStringList told;
  const auto look = [&](Seen& s) { Look(s, beneath, dialog, bar); };
  QTimer first, second;
  first.setSingleShot(true);
  second.setSingleShot(true);
  QObject::connect(&first, &QTimer::timeout, [&] {
    look(seen[0]);
    if (dialog == nullptr) return;
    auto* cancel = dialog->findChild<QPushButton*>("CancelBtn");
    SendClick(cancel, cancel->rect().center());
    QMenuBar* bar = window->menuBar();
    SendClick(bar, bar->actionGeometry(window->action("Trait1")->menu()->menuAction()).center());
  });
  QObject::connect(&second, &QTimer::timeout, [&] { look(seen[1]); });

  permutationRun(400, dialog, told, [&] {
    QTest::qWait(200);  // the dialog's last paint reaches the screen
    beneath = ScreenImage();
    first.start(500);
    second.start(1500);
  });
  first.stop();
  second.stop();
  EXPECT_EQ(told, QStringList({"TRAITEMENT FINI !"}));
  EXPECT_TRUE(QFile::exists(dir.filePath("perm.res")));
  KeepScreen(seen[0].screen, "progress-0.5s");
  KeepScreen(seen[1].screen, "progress-1.5s");
  for (int k = 0; k < 2; ++k) {
    SCOPED_TRACE(k == 0 ? "half a second in" : "a second later");
    ASSERT_TRUE(seen[k].there) << "the run ended before: give it more permutations";
    EXPECT_TRUE(seen[k].exposed);
    EXPECT_GT(seen[k].likeItsRendering, 0.95);
    EXPECT_GT(seen[k].likeItsRendering, seen[k].likeBeneath + 0.05);
    EXPECT_TRUE(seen[k].dialogShown);
    EXPECT_FALSE(seen[k].menuOpen);
  }
  EXPECT_GT(seen[1].barPaints, seen[0].barPaints);
  QTest::qWait(100);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

// Real clicks during a permutation run, first on the analysis dialog beside the progress window,
// then on the main window beneath: the window manager raises and focuses the window clicked,
// and the progress window is still the one on the screen where it stands, painted as the run
// steps, to the run's end. The clicks start nothing: the run ends with its one message.
TEST_F(OnADesktop, ProgressWindowStaysAboveItsDialogWhateverIsClicked) {
  SKIP_WITHOUT_DESKTOP();
  WriteTable(dir.filePath("big.bvt"), 800, 15);
  open(dir.filePath("big.bvt"));

  QPointer<QWidget> dialog;
  Seen seen[2];
  std::unique_ptr<PaintCount> bar;
  QStringList told;
  const auto look = [&](Seen& s) { Look(s, QImage(), dialog, bar); };
  // A point of `w` that neither the progress window nor `above` covers.
  const auto bare = [](QWidget* w, QWidget* above) {
    const QRect progress = ProgressWindow()->frameGeometry().adjusted(-4, -4, 4, 4);
    const QRect over = above ? above->frameGeometry().adjusted(-4, -4, 4, 4) : QRect();
    for (int y = 10; y < w->height(); y += 20)
      for (int x = 10; x < w->width(); x += 20) {
        const QPoint global = w->mapToGlobal(QPoint(x, y));
        if (!progress.contains(global) && !over.contains(global)) return QPoint(x, y);
      }
    return QPoint(-1, -1);
  };
  QTimer clickDialog, clickMain, first, second;
  for (QTimer* t : {&clickDialog, &clickMain, &first, &second}) t->setSingleShot(true);
  QObject::connect(&clickDialog, &QTimer::timeout, [&] {
    if (dialog == nullptr || ProgressWindow() == nullptr) return;
    RealClick(dialog, bare(dialog, nullptr));
  });
  QObject::connect(&clickMain, &QTimer::timeout, [&] {
    if (dialog == nullptr || ProgressWindow() == nullptr) return;
    RealClick(window.get(), bare(window.get(), dialog));
  });
  QObject::connect(&first, &QTimer::timeout, [&] { look(seen[0]); });
  QObject::connect(&second, &QTimer::timeout, [&] { look(seen[1]); });

  permutationRun(400, dialog, told, [&] {
    clickDialog.start(300);
    first.start(800);
    clickMain.start(900);
    second.start(1400);
  });
  for (QTimer* t : {&clickDialog, &clickMain, &first, &second}) t->stop();
  EXPECT_EQ(told, QStringList({"TRAITEMENT FINI !"}));
  EXPECT_TRUE(QFile::exists(dir.filePath("perm.res")));
  KeepScreen(seen[0].screen, "progress-clicked-dialog");
  KeepScreen(seen[1].screen, "progress-clicked-main");
  for (int k = 0; k < 2; ++k) {
    SCOPED_TRACE(k == 0 ? "after a click on the dialog" : "after a click on the main window");
    ASSERT_TRUE(seen[k].there) << "the run ended before: give it more permutations";
    EXPECT_GT(seen[k].likeItsRendering, 0.95);
    EXPECT_FALSE(seen[k].framed) << "the window manager gave it a title bar, with its buttons";
    EXPECT_TRUE(seen[k].dialogShown);
    EXPECT_FALSE(seen[k].menuOpen);
  }
  EXPECT_GT(seen[1].barPaints, seen[0].barPaints);
  QTest::qWait(100);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

// With another window open (the plotter's, for one), a run's last message answered and its
// dialog closed a moment later leave the focus to the window manager, which gave it to the
// other window: the main window takes it back.
TEST_F(OnADesktop, MainWindowIsActiveAfterARunsLastMessage) {
  SKIP_WITHOUT_DESKTOP();
  ASSERT_TRUE(QFile::copy(QString(RELAKIN_TEST_DATA) + "/dialogs/five_pops.bvt",
                          dir.filePath("five_pops.bvt")));
  QWidget other;
  other.setWindowTitle("Graphiques");
  other.setGeometry(80, 80, 700, 500);
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  activate(&other);
  open(dir.filePath("five_pops.bvt"));
  for (int k = 1; k <= 5; ++k) {
    SCOPED_TRACE(k);
    activate(window.get());
    QStringList told;
    run("IC1", [&](QWidget* dialog) {
      auto* nomfich = dialog->findChild<QLineEdit*>("nomfich");
      nomfich->selectAll();
      QTest::keyClicks(nomfich, QString("ic%1.res").arg(k));
      const ModalAnswer finished([&told](QWidget* box) {
        told << static_cast<QMessageBox*>(box)->text();
        // Keys go where the window manager has put the focus.
        ASSERT_TRUE(QTest::qWaitFor(
            [box] { return QGuiApplication::focusWindow() == box->windowHandle(); }, 5000));
        SendKey(box, 0xff0d);  // Return
      });
      QTest::mouseClick(dialog->findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
    });
    EXPECT_EQ(told, QStringList({"TRAITEMENT FINI !"}));
    QTest::qWait(300);  // the window manager has had its say
    EXPECT_EQ(QApplication::activeWindow(), window.get())
        << (QApplication::activeWindow() ? QApplication::activeWindow()->windowTitle() : "none")
               .toStdString();
  }
}

}  // namespace
}  // namespace relakin::test
