#!/usr/bin/env bash
# Prints the relatedness matrix figures for the target size: 1000 individuals, 15 loci,
# 10 alleles per locus (5% missing), each estimator on 1 thread, 8 threads and the literal
# reference path; best of REPEATS runs. Checks that every path wrote the same bytes.
# Then the figures at scale (SCALE_SIZE, 5000 individuals by default), Lynch & Ritland: one
# core, all cores and the time to write as many bytes from memory in the same folder, run
# side by side SCALE_REPEATS times; medians and their ratios. Works in WORK_ROOT (/dev/shm,
# a memory-backed folder, when it exists). Quote the load it prints with the figures.
#   BUILD_DIR=build bench/run-bench.sh [N,L,K[,MISSING%][,SEED]]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${BUILD_DIR:-$here/build}")"
size="${1:-1000,15,10,5,1}"
repeats="${REPEATS:-3}"
scale="${SCALE_SIZE:-5000,15,10,5,1}"
scale_repeats="${SCALE_REPEATS:-5}"
work_root="${WORK_ROOT:-$([[ -d /dev/shm ]] && echo /dev/shm || echo "${TMPDIR:-/tmp}")}"

if [[ ! -x "$build/bench/relakin-bench" ]]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target relakin-bench >/dev/null
bench="$build/bench/relakin-bench"

work="$(mktemp -d "$work_root/relakin-bench.XXXXXX")"
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

median() { sort -g | awk '{v[NR] = $1} END {print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
field() { awk -v k="$1" 'index($0, k) == 1 {print $NF}'; }

rm -f ./*.res ttt.ttt
"$bench" matrix --generate "$scale" --estimator 2 --threads 1 scale.tmp warm-up.res >/dev/null
rm -f warm-up.res
echo
echo "relatedness matrix at scale, $scale (N,L,K,missing%,seed), Lynch & Ritland, in $work_root"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
: >one.txt
: >all.txt
: >mem.txt
for ((k = 0; k < scale_repeats; ++k)); do
  rm -f one.res all.res ttt.ttt
  "$bench" matrix --estimator 2 --threads 1 scale.tmp one.res | field "elapsed seconds:" >>one.txt
  rm -f ttt.ttt
  out=$("$bench" matrix --estimator 2 --memory-write scale.tmp all.res)
  field "elapsed seconds:" <<<"$out" >>all.txt
  field "memory-write seconds:" <<<"$out" >>mem.txt
  bytes=$(field "bytes written:" <<<"$out")
  threads=$(awk '/^mode / {print $(NF - 1)}' <<<"$out")
  if ((k == 0)); then cmp -s one.res all.res || { echo "outputs differ" >&2; exit 1; }; fi
done
rm -f one.res all.res ttt.ttt
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
t1=$(median <one.txt)
tn=$(median <all.txt)
tm=$(median <mem.txt)
awk -v a="$t1" -v b="$tn" -v c="$tm" -v n="$threads" -v bytes="$bytes" -v r="$scale_repeats" 'BEGIN {
  printf "medians of %d runs; %.1f MB written (result file and ttt.ttt)\n", r, bytes / 1e6
  printf "  %-26s %8.3fs\n", "one core", a
  printf "  %-26s %8.3fs   one core / all cores: %.2fx\n", "all cores (" n " threads)", b, a / b
  printf "  %-26s %8.3fs   all cores / memory write: %.2fx\n", "memory write, same bytes", c, b / c
}'
