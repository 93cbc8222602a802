#!/usr/bin/env bash
# Prints the relatedness matrix figures for the target size: 1000 individuals, 15 loci,
# 10 alleles per locus (5% missing), each estimator on 1 thread, 8 threads and the literal
# reference path; best of REPEATS runs. Checks that every path wrote the same bytes.
#   BUILD_DIR=build bench/run-bench.sh [N,L,K[,MISSING%][,SEED]]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
size="${1:-1000,15,10,5,1}"
repeats="${REPEATS:-3}"

if [[ ! -x "$build/bench/relakin-bench" ]]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target relakin-bench >/dev/null
bench="$build/bench/relakin-bench"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
"$bench" matrix --generate "$size" --threads 1 temp.tmp warm-up.res >/dev/null

best() {  # best elapsed seconds of $repeats runs; the last run's result file is kept
  local min=""
  for ((k = 0; k < repeats; ++k)); do
    local t
    t=$("$@" | awk '/^elapsed seconds:/ {print $3}')
    if [[ -z "$min" ]] || awk -v a="$t" -v b="$min" 'BEGIN {exit !(a < b)}'; then min="$t"; fi
  done
  echo "$min"
}

pairs=$("$bench" matrix --threads 1 temp.tmp count.res | awk '/^pairs:/ {print $2}')
loci=$(head -c 32 temp.tmp | awk 'NR == 1 {print $1}')
echo "relatedness matrix, $size (N,L,K,missing%,seed): $pairs pairs, $loci loci"
printf '%-22s %10s %10s %10s %12s %14s\n' estimator "1 thread" "8 threads" reference "fast/ref" "pair-loci/s 1t"
names=("identity index" "Queller & Goodnight" "Lynch & Ritland")
for e in 0 1 2; do
  t1=$(best "$bench" matrix --estimator "$e" --threads 1 temp.tmp one.res)
  t8=$(best "$bench" matrix --estimator "$e" --threads 8 temp.tmp eight.res)
  tr=$(best "$bench" matrix --estimator "$e" --reference temp.tmp reference.res)
  cmp -s one.res reference.res && cmp -s eight.res reference.res || { echo "outputs differ" >&2; exit 1; }
  awk -v n="${names[$e]}" -v a="$t1" -v b="$t8" -v c="$tr" -v p="$pairs" -v l="$loci" \
    'BEGIN {printf "%-22s %9.3fs %9.3fs %9.3fs %11.1fx %14.3g\n", n, a, b, c, c / a, p * l / a}'
done
