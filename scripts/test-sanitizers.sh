#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer
# into ./build-asan (ASAN_BUILD_DIR to change) and runs it: the first sanitizer report ends its
# test program, which fails. Leaks of system libraries are left out by tests/sanitizers/lsan.supp.
# JOBS sets the parallelism (every core by default).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}
build_dir=${ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRELAKIN_SANITIZE=ON >/dev/null
cmake --build "$build_dir" --parallel "$jobs"
ctest --test-dir "$build_dir" --output-on-failure --parallel "$jobs" --timeout 120
