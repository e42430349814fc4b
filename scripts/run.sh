#!/usr/bin/env bash
# Starts the map generator with its shipped Default.gmp; without a display
# (or before the window is built) makes a map from it with the command line.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
if [ -x "$bin/GM32V30" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec "$bin/GM32V30"
fi
if [ -x "$bin/glenmire" ]; then
  mkdir -p out
  "$bin/glenmire" generate --config "$bin/Default.gmp" --out out/glenmire.pud --preview out/glenmire.png
  echo "No display: the map is out/glenmire.pud, its picture out/glenmire.png."
else
  echo "Built. The map generator's window and command are not part of this build yet; nothing generated."
fi
