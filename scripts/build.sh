#!/usr/bin/env bash
# Configures and builds into ./build (Release by default; BUILD_TYPE=Debug to change), JOBS at a
# time (every core by default).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" "$@"
cmake --build "$build_dir" --parallel "${JOBS:-$(nproc)}"
