#!/usr/bin/env bash
# Builds the fuzzing programs of tests/fuzz (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into ./build-fuzz (FUZZ_BUILD_DIR to change), replays every seed
# corpus, then fuzzes each target for SECONDS (default 30), JOBS targets at a time (every core by
# default). New inputs gather in <build>/corpus/<name>, so longer runs build on earlier ones.
#
#   bash scripts/fuzz.sh                 # what CI runs: replay, then 30 s per target
#   bash scripts/fuzz.sh 600             # ten minutes per target
#   bash scripts/fuzz.sh 600 native_file # one target
#
# Every input is limited to RSS_LIMIT_MB (default 2048) and INPUT_TIMEOUT seconds (default 10),
# so a runaway allocation or loop is reported, not a stalled machine. A crash, a hang, an
# out-of-memory or a sanitizer report fails the script; the input is kept in <build>/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
jobs=${JOBS:-$(nproc)}
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
limits=(-rss_limit_mb="${RSS_LIMIT_MB:-2048}" -timeout="${INPUT_TIMEOUT:-10}")

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for src in tests/fuzz/*_fuzz.cpp; do
    base=$(basename "$src" .cpp)
    names+=("${base%_fuzz}")
  done
fi
targets=()
for name in "${names[@]}"; do targets+=("${name}_fuzz"); done

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DRELAKIN_FUZZ=ON -DRELAKIN_BUILD_TESTS=OFF -DRELAKIN_BUILD_GUI=OFF >/dev/null
cmake --build "$build_dir" --parallel "$jobs" --target "${targets[@]}"

bin="$build_dir/tests/fuzz"
mkdir -p "$build_dir/findings" "$build_dir/logs"
failed=0

echo "== replaying the seed corpora"
for name in "${names[@]}"; do
  seeds=(tests/fuzz/seeds/"$name"/*)
  if [ ! -e "${seeds[0]}" ]; then
    echo "$name: no seed in tests/fuzz/seeds/$name"
    failed=1
    continue
  fi
  if "$bin/${name}_fuzz" "${limits[@]}" -artifact_prefix="$build_dir/findings/$name-" \
    "${seeds[@]}" >"$build_dir/logs/$name-replay.log" 2>&1; then
    echo "$name: ${#seeds[@]} seeds, no finding"
  else
    echo "$name: FAILED on a seed; see $build_dir/logs/$name-replay.log"
    tail -n 20 "$build_dir/logs/$name-replay.log"
    failed=1
  fi
done

[ "$seconds" -gt 0 ] || exit "$failed"
echo "== fuzzing each target for $seconds s, $jobs at a time"
fuzz_one() {
  local name=$1 status=0
  mkdir -p "$build_dir/corpus/$name"
  "$bin/${name}_fuzz" "${limits[@]}" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build_dir/findings/$name-" \
    "$build_dir/corpus/$name" "tests/fuzz/seeds/$name" >"$build_dir/logs/$name.log" 2>&1 ||
    status=$?
  echo "$status" >"$build_dir/logs/$name.status"
}
for name in "${names[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do sleep 1; done
  fuzz_one "$name" &
done
wait
for name in "${names[@]}"; do
  log="$build_dir/logs/$name.log"
  if [ "$(cat "$build_dir/logs/$name.status")" = 0 ]; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$name: ${runs:-?} executions in $seconds s, no finding"
  else
    echo "$name: FAILED; see $log"
    grep -E '^==[0-9]+==ERROR|^SUMMARY|runtime error|property broken|out-of-memory|timeout|deadly signal|Test unit written' "$log" | head -n 12 || true
    failed=1
  fi
done
exit "$failed"
