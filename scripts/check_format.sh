#!/usr/bin/env bash
# Fails, naming each file, when a C++ source is not as clang-format (with the
# repository's .clang-format) would write it. `scripts/check_format.sh --fix`
# rewrites them instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
format=${CLANG_FORMAT:-clang-format}
if ! command -v "$format" > /dev/null; then
  echo "check_format: $format is not installed (make deps installs it)" >&2
  exit 1
fi
if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
  mapfile -t files < <(find generator modelyard tests bench fuzz -name '*.cpp' -o -name '*.h')
fi
if [ "${1:-}" = --fix ]; then
  "$format" -i "${files[@]}"
  exit 0
fi
if ! report=$("$format" --dry-run --Werror "${files[@]}" 2>&1); then
  grep -o '^[^:]*:[0-9]*:[0-9]*: error' <<< "$report" | cut -d: -f1 | sort -u |
    sed 's/^/check_format: not formatted: /' >&2
  echo "check_format: scripts/check_format.sh --fix formats them" >&2
  exit 1
fi
echo "check_format: ${#files[@]} files formatted"
