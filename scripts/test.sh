#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Release build's suite, the same suite
# built with AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzzing programs (their
# seed corpora replayed, then 30 s of fuzzing each). Uses every core (JOBS to change) and says how
# long each stage took.
set -euo pipefail
cd "$(dirname "$0")/.."
export JOBS=${JOBS:-$(nproc)}

stage() {
  local name=$1 start=$SECONDS
  shift
  echo "==== $name"
  "$@"
  echo "==== $name: $((SECONDS - start)) s"
}

stage "dependencies" bash scripts/install-deps.sh
stage "release build" bash scripts/build.sh
stage "release tests" ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure --parallel "$JOBS" \
  --timeout 120
stage "sanitizer build and tests" bash scripts/test-sanitizers.sh
stage "fuzzing" bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
echo "==== all stages passed in $SECONDS s"
