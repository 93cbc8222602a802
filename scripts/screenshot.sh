#!/usr/bin/env bash
# Renders relakin's main window with a sample table and every page of the data-description
# window, the import dialogs, and the windows of a table imported from FSTAT (nancycats.dat): the
# main window, the data description, the subset chooser, the result viewer and a message box.
# Saves them as PNG files in ./screenshots (or $SCREENSHOT_DIR). Works without a display (Qt's
# offscreen platform). Then the screen of a desktop of its own (Xvfb with openbox,
# scripts/x11-session.sh) half a second into a permutation run of 800 individuals and a second
# later, the progress window over its dialog: relakin-progress-0.5s.png, relakin-progress-1.5s.png;
# and during a run after a click on the dialog and one on the main window:
# relakin-progress-clicked-dialog.png, relakin-progress-clicked-main.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build_dir=${BUILD_DIR:-build}
out_dir=$(realpath -m "${SCREENSHOT_DIR:-screenshots}")
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" >/dev/null
cmake --build "$build_dir" --target relakin_screenshot_guitest progress_window_x11test
RELAKIN_SCREENSHOT_DIR="$out_dir" "$build_dir/tests/relakin_screenshot_guitest" \
  --gtest_filter='ScreenshotTest.*' 2>/dev/null | tail -n 1
RELAKIN_SCREENSHOT_DIR="$out_dir" bash scripts/x11-session.sh \
  "$build_dir/tests/progress_window_x11test" \
  --gtest_filter='OnADesktop.ProgressWindow*' 2>/dev/null | tail -n 1
ls -1 "$out_dir"/relakin-*.png
