#!/usr/bin/env bash
# Renders vodave's windows with a sample permutation result loaded and saves them as PNG files in
# ./screenshots (or $SCREENSHOT_DIR): the main window with its histogram, the statistics dialog,
# the class dialog and the about box. Works without a display (Qt's offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build_dir=${BUILD_DIR:-build}
out_dir=$(realpath -m "${SCREENSHOT_DIR:-screenshots}")
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" >/dev/null
cmake --build "$build_dir" --target vodave_screenshot_guitest
VODAVE_SCREENSHOT_DIR="$out_dir" "$build_dir/tests/vodave_screenshot_guitest" \
  --gtest_filter='VodaveScreenshotTest.DrawsTheObservedClassInRed' 2>/dev/null | tail -n 1
ls -1 "$out_dir"/vodave-*.png
