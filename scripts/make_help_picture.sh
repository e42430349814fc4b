#!/bin/sh
# Makes the symmetric map the help document and the README show:
# scripts/make_help_picture.sh [GLENMIRE] (default build/bin/glenmire), from the top of the tree.
# The same program, preset, mode and seed give the same picture.
set -eu
glenmire=${1:-build/bin/glenmire}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$glenmire" generate --config preset:islands-four-96 --symmetry mirror-xy --seed 2 --out "$work/map.pud" --quiet
# Three pixels a cell, so the mirrored coasts read at a glance.
"$glenmire" preview "$work/map.pud" --out data/help/symmetric-map.png --scale 3
