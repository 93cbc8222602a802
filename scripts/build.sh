#!/usr/bin/env bash
# Configures and builds into ./build (Release by default; BUILD_TYPE=Debug to change).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
