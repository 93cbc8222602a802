#!/usr/bin/env bash
# Installs what is missing, builds the two programs only (relakin, and vodave, which relakin starts
# from beside it; no test program), and starts relakin. scripts/test.sh, in the same build folder,
# then builds only what is left.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh programs
BUILD_TARGETS="relakin vodave" bash scripts/build.sh
exec "${BUILD_DIR:-build}/programs/relakin"
