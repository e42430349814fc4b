#!/bin/bash
# Whether two glenmire builds write the same bytes: every output and trace
# file of the same runs, compared byte for byte.
#   bench/compare_outputs.sh BEFORE_GLENMIRE AFTER_GLENMIRE [WORK_DIR]
# The runs: the settings of the reference set's generate cases (one folder
# a case) and five more made from the starter one (rivers, secret passes, decorations, shallow water, reverse
# physics, start islands, every climate, sizes 32 to 128, a full land map),
# each with seeds 1..42 and three answer pairs, with --trace; then genitize
# of every case's expected map with five of the configurations and three
# seeds.
# Each run leaves its map, its trace and its printed lines with the exit
# status. Two runs at a time. Exit status 1 when anything differs.
set -euo pipefail
before=${1:?usage: compare_outputs.sh BEFORE AFTER [WORK_DIR]}
after=${2:?usage: compare_outputs.sh BEFORE AFTER [WORK_DIR]}
here=$(cd "$(dirname "$0")" && pwd)
ref=$here/../tests/data/reference-maps
work=${3:-$(mktemp -d)}
mkdir -p "$work"
configs=$work/configs
rm -rf "$configs" && mkdir -p "$configs"
for command in "$ref"/*/command.txt; do
  folder=$(dirname "$command")
  if grep -q '^generate ' "$command"; then cp "$folder/settings.gmp" "$configs/$(basename "$folder").gmp"; fi
done
starter=$ref/starter128/settings.gmp
make_config() { "$before" config set "$starter" "${@:2}" --out "$configs/$1.gmp" > /dev/null; }
make_config c1_96 MapSize=96 Climate=1 MultipleRivers=1 Rivers=40 EnableSecretMountainPasses=1 Mountains=40 \
  Decorations=30 EnableShallowWater=1
make_config c2_128 Climate=2 EnableSecretMountainPasses=1 Mountains=35 Decorations=60 Forest=60 \
  "CrittersPlayer[1]=10" "CrittersPlayer[2]=5" CrittersNormal=10
make_config c3_full128 Climate=3 LandWater=99 Mountains=50 EnableSecretMountainPasses=1 MultipleRivers=1 Rivers=60
make_config c4_rev128 Climate=1 ReverseLandAndWaterProperties=1 LandWater=60 EnableShallowWater=1 Decorations=-56
"$before" config set "$ref/starter64/settings.gmp" MapSize=96 LandWater=3 --out "$configs/c5_isl96.gmp" > /dev/null

run_all() {
  local bin=$1 out=$2 jobs
  rm -rf "$out" && mkdir -p "$out"
  jobs=$(mktemp)
  for c in "$configs"/*.gmp; do
    local n
    n=$(basename "$c" .gmp)
    for seed in $(seq 1 42); do
      for answers in "cancel abort" "ok ignore" "cancel retry"; do
        set -- $answers
        local o=$out/$n-$seed-$1-$2
        echo "'$bin' generate --config '$c' --seed $seed --out '$o.pud' --build-on-sand $1 --unplaced $2" \
          "--trace '$o.trace' --quiet > '$o.out' 2>&1; echo rc=\$? >> '$o.out'" >> "$jobs"
      done
    done
  done
  for m in "$ref"/*/expected.pud; do
    for c in starter64 swamp64 mayhem c1_96 c2_128; do
      for seed in 1 2 3; do
        local o=$out/genitize-$(basename "$(dirname "$m")")-$c-$seed
        echo "'$bin' genitize '$m' --config '$configs/$c.gmp' --seed $seed --out '$o.pud' --trace '$o.trace'" \
          "--quiet > '$o.out' 2>&1; echo rc=\$? >> '$o.out'" >> "$jobs"
      done
    done
  done
  xargs -P2 -I{} -d '\n' bash -c '{}' < "$jobs"
  rm -f "$jobs"
}

run_all "$before" "$work/before"
run_all "$after" "$work/after"
maps=$(find "$work/before" -name '*.pud' | wc -l)
traces=$(find "$work/before" -name '*.trace' | wc -l)
files=$(find "$work/before" -type f | wc -l)
if diff -r -q "$work/before" "$work/after" > "$work/differences.txt"; then
  echo "same: $files files ($maps maps, $traces traces, the rest printed lines and exit status)"
else
  echo "DIFFERENT: $(wc -l < "$work/differences.txt") files, listed in $work/differences.txt"
  head -5 "$work/differences.txt"
  exit 1
fi
