// Entry point of the GUI test programs: a QApplication on the offscreen platform, so the
// tests run (and gtest_discover_tests lists them) without a display, and a watchdog that fails
// and closes any modal window left open with nobody to answer it. The programs that need a
// real X server (RELAKIN_X11_TESTS) take the one DISPLAY names.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "modal_windows.h"

int main(int argc, char** argv) {
#ifdef RELAKIN_X11_TESTS
  // The X server DISPLAY names; without one, offscreen, where the tests skip themselves.
  qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
#else
  qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  QTemporaryDir runtime;
  if (runtime.isValid()) {
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
  }
  QTemporaryDir config;
  if (config.isValid()) qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  QApplication app(argc, argv);
  gui_testing::ModalWatchdog watchdog;
  ::testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
