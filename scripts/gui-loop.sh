#!/usr/bin/env bash
# Runs every GUI test program of a build (./build by default, BUILD_DIR to change) N times
# (default 30), JOBS runs at a time (default 2), each run limited to 120 s, and prints every
# failed run with its failing tests. Exits non-zero when any run failed. The programs for a real
# X server (*_x11test) run on a desktop of their own (scripts/x11-session.sh).
#
#   bash scripts/gui-loop.sh 30
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}
jobs=${JOBS:-2}
build_dir=$(realpath "${BUILD_DIR:-build}")
shopt -s nullglob
programs=("$build_dir"/tests/*_guitest "$build_dir"/tests/*_x11test)
session=$(realpath scripts/x11-session.sh)
[ ${#programs[@]} -gt 0 ] || { echo "no GUI test program in $build_dir/tests: build first"; exit 2; }

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

# One run of one program, in a folder of its own (some tests write in the current folder).
run_one() {
  local program=$1 run=$2 logs=$3
  local name work log status
  name=$(basename "$program")
  work=$(mktemp -d)
  log="$logs/$name.$run.log"
  status=0
  local run_it=("$program")
  [[ $name == *_x11test ]] && run_it=(bash "$session" "$program")
  (cd "$work" && timeout -k 5 120 "${run_it[@]}" --gtest_brief=1) >"$log" 2>&1 || status=$?
  rm -rf "$work"
  if [ "$status" -eq 0 ]; then
    rm -f "$log"
    return 0
  fi
  local why="exit status $status"
  [ "$status" -eq 124 ] || [ "$status" -eq 137 ] && why="timed out after 120 s"
  echo "FAIL $name run $run: $why"
  grep -E '^\[  FAILED  \]|^\S+:[0-9]+: Failure' "$log" | sort -u | sed 's/^/    /' | head -n 10
  return 0
}
export -f run_one
export session

for program in "${programs[@]}"; do
  for run in $(seq "$runs"); do printf '%s %s\n' "$program" "$run"; done
done | xargs -P "$jobs" -n 2 bash -c 'run_one "$0" "$1" '"$logs" | tee "$logs/summary"

failures=$(grep -c '^FAIL ' "$logs/summary" || true)
echo "$failures failed runs out of $((runs * ${#programs[@]})) ($runs runs of each of ${#programs[@]} GUI test programs)"
[ "$failures" -eq 0 ]
