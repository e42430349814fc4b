#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in their own build folder and runs
# each for a while on a working copy of its seed corpus.
#
#   scripts/fuzz.sh [BUILD [SECONDS [TARGET...]]]
#     BUILD    the fuzz build folder (default build-fuzz)
#     SECONDS  how long each target runs (default 60)
#     TARGET   only these (config_run map_genitize geo_asc asc_export config_set)
#
# A target's dictionary, fuzz/corpus/<target>.dict, is used when there is one.
# Before fuzzing, every saved reproducer (tests/data/fuzz/<target>) and seed
# input (fuzz/corpus/<target>) is replayed once under the sanitizers. The
# working corpus, the logs and anything found stay in BUILD/fuzz-work/<target>
# (new inputs found are kept there for the next run, never in the repository).
# Exits with 1 when a target found a crash, a hang or a broken promise: its
# input is BUILD/fuzz-work/<target>/crash-* (or timeout-*, oom-*, leak-*).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-60}
shift $(( $# < 2 ? $# : 2 ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(config_run map_genitize geo_asc asc_export config_set)
jobs=${JOBS:-2}

max_len() {
  case $1 in
    config_run) echo 4300 ;;
    map_genitize) echo 300000 ;;
    geo_asc | asc_export) echo 65536 ;;
    config_set) echo 4096 ;;
    *) echo "unknown fuzz target $1" >&2; exit 2 ;;
  esac
}

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGLENMIRE_GUI=OFF -DGLENMIRE_BENCH=OFF -DGLENMIRE_FUZZ=ON > /dev/null
fi
cmake --build "$build" --target fuzzers -j "$jobs"

bin="$build/bin"
work="$build/fuzz-work"
status=0
summary=()
for t in "${targets[@]}"; do
  len=$(max_len "$t")
  dir="$work/$t"
  mkdir -p "$dir/corpus"
  for seed in fuzz/corpus/"$t"/*; do
    [ -e "$dir/corpus/${seed##*/}" ] || cp "$seed" "$dir/corpus/"
  done
  options=(-timeout=10 -rss_limit_mb=2048 -max_len="$len" -artifact_prefix="$dir/" -print_final_stats=1)
  [ -f "fuzz/corpus/$t.dict" ] && options+=(-dict="fuzz/corpus/$t.dict")

  saved=(fuzz/corpus/"$t"/*)
  [ -d "tests/data/fuzz/$t" ] && saved+=(tests/data/fuzz/"$t"/*)
  if ! "$bin/fuzz_$t" "${options[@]}" "${saved[@]}" > "$dir/replay.log" 2>&1; then
    echo "fuzz $t: a saved input fails, see $dir/replay.log" >&2
    status=1
    summary+=("$t: a saved input fails")
    continue
  fi

  echo "fuzz $t: ${seconds} s"
  set +e
  "$bin/fuzz_$t" "${options[@]}" -max_total_time="$seconds" "$dir/corpus" > "$dir/fuzz.log" 2>&1
  rc=$?
  set -e
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$dir/fuzz.log" | tail -1 || true)
  [ -n "$done_line" ] || done_line=$(grep -E '^#[0-9]+' "$dir/fuzz.log" | tail -1 || true)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/fuzz.log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$dir/fuzz.log")
  cov=$(grep -o 'cov: [0-9]*' <<< "$done_line" | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' <<< "$done_line" | cut -d' ' -f2)
  files=$(find "$dir/corpus" -type f | wc -l)
  bytes=$(du -sb "$dir/corpus" | cut -f1)
  line="$t: ${runs:-?} runs, ${rate:-?} exec/s, cov ${cov:-?}, ft ${ft:-?}, corpus $files files ($bytes bytes)"
  if [ $rc -ne 0 ]; then
    line+=", FOUND: $(ls "$dir"/crash-* "$dir"/timeout-* "$dir"/oom-* "$dir"/leak-* 2>/dev/null | tr '\n' ' ' || true)"
    status=1
  fi
  summary+=("$line")
  echo "$line"
done

printf '%s\n' "${summary[@]}" > "$work/summary.txt"
echo "--- fuzz summary ($work/summary.txt)"
printf '%s\n' "${summary[@]}"
exit $status
