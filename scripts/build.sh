#!/usr/bin/env bash
# Configures and builds into ./build (Release by default; BUILD_TYPE=Debug to change), JOBS at a
# time (every core by default). BUILD_TARGETS, a list of target names, builds only those (and what
# they need); the same folder then builds the rest later.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
read -r -a targets <<<"${BUILD_TARGETS:-}"
target_args=()
[ ${#targets[@]} -eq 0 ] || target_args=(--target "${targets[@]}")
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" "$@"
cmake --build "$build_dir" --parallel "${JOBS:-$(nproc)}" "${target_args[@]}"
