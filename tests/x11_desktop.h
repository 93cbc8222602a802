// What the X server tests (tests/*/*_x11test.cpp) share: whether there is a desktop to run on
// (an X server with a window manager; scripts/x11-session.sh gives one of its own), clicks made
// as the user makes them, and the frames on the screen.
#pragma once

#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace gui_testing {

// Why the tests cannot run here; empty when there is an X server with a window manager.
inline std::string MissingDesktop() {
  if (QGuiApplication::platformName() != "xcb") return "needs an X server (DISPLAY is not set)";
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 != nullptr ? x11->connection() : nullptr;
  if (c == nullptr) return "no connection to the X server";
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const char name[] = "_NET_SUPPORTING_WM_CHECK";
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof name - 1, name), nullptr);
  bool managed = false;
  if (atom != nullptr && atom->atom != XCB_ATOM_NONE) {
    xcb_get_property_reply_t* p = xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
    managed = p != nullptr && xcb_get_property_value_length(p) == 4;
    std::free(p);
  }
  std::free(atom);
  return managed ? "" : "needs a window manager on the X server (openbox, for one)";
}

#define SKIP_WITHOUT_DESKTOP()                                                \
  if (const std::string why = ::gui_testing::MissingDesktop(); !why.empty()) { \
    GTEST_SKIP() << why;                                                      \
  }

inline xcb_connection_t* Connection() {
  return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// A click of the left mouse button on `pos` of `w` as the user makes it: the pointer moved
// there and the button pressed and released through the X server's test extension, so that the
// window manager sees it first, as it sees the user's own (raising and focusing the window
// clicked), where SendClick's event goes to the program alone.
inline void RealClick(QWidget* w, QPoint pos) {
  xcb_connection_t* c = Connection();
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const QPoint global = w->mapToGlobal(pos);
  xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root,
                      static_cast<std::int16_t>(global.x()), static_cast<std::int16_t>(global.y()),
                      0);
  xcb_test_fake_input(c, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
  xcb_test_fake_input(c, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
  xcb_flush(c);
}

// The frame the window manager put around `w`, as the X server has it on the screen (what Qt
// knows of frames lags behind).
inline QRect ScreenFrame(QWidget* w) {
  xcb_connection_t* c = Connection();
  auto window = static_cast<xcb_window_t>(w->winId());
  for (;;) {
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    if (tree == nullptr) return {};
    const bool top = tree->parent == tree->root || tree->parent == XCB_NONE;
    const xcb_window_t parent = tree->parent;
    std::free(tree);
    if (top) break;
    window = parent;
  }
  xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
  if (g == nullptr) return {};
  const QRect frame(g->x, g->y, g->width + 2 * g->border_width, g->height + 2 * g->border_width);
  std::free(g);
  return frame;
}

}  // namespace gui_testing
