#!/usr/bin/env bash
# The C++ sources keep the layout of .clang-format: a file committed without
# `clang-format -i` fails here, and the message names it. Exits 77 (ctest
# reads it as skipped) when clang-format is not installed.
set -u
root=${1:?source root}
format=${CLANG_FORMAT:-clang-format}
if ! command -v "$format" >/dev/null 2>&1; then
  echo "skipped: $format is not installed (package clang-format, group format of tools/packages.txt)"
  exit 77
fi
dirs=()
for d in src tests tools bench; do
  [ -d "$root/$d" ] && dirs+=("$root/$d")
done
if ! find "${dirs[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 "$format" --style=file --dry-run -Werror; then
  echo "files above differ from .clang-format; run clang-format -i on them" >&2
  exit 1
fi
exit 0
