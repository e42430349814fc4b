#!/bin/bash
# The CPU time and peak memory of whole glenmire processes, each making one
# map of the starter configuration: the median task-clock of N runs (perf
# stat) and the largest peak resident set of them (GNU time).
#   bench/process_time.sh BUILD/bin/glenmire [SIZE] [RUNS]
# SIZE 128 uses the reference run's own configuration and seed; any other
# size is written into a copy of it first.
set -euo pipefail
bin=${1:?usage: process_time.sh GLENMIRE [SIZE] [RUNS]}
size=${2:-128}
runs=${3:-21}
here=$(cd "$(dirname "$0")" && pwd)
config=$here/../tests/data/reference-maps/starter128/settings.gmp
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$size" != 128 ]; then
  "$bin" config set "$config" MapSize="$size" --out "$work/starter.gmp" > /dev/null
  config=$work/starter.gmp
fi
run=("$bin" generate --config "$config" --seed 101 --out "$work/map.pud" --quiet)
"${run[@]}"  # once to warm the file cache
clocks=()
peak=0
for _ in $(seq "$runs"); do
  clocks+=("$(perf stat -x, -e task-clock "${run[@]}" 2>&1 >/dev/null | awk -F, '/task-clock/ {print $1}')")
  rss=$( { /usr/bin/time -f %M "${run[@]}" > /dev/null; } 2>&1 | tail -1)
  [ "$rss" -gt "$peak" ] && peak=$rss
done
median=$(printf '%s\n' "${clocks[@]}" | sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}')
echo "size $size: median task-clock $median ms over $runs runs, peak RSS $peak KB"
