#!/usr/bin/env bash
# Platform names belong in src/platform only: the toolkit, the editor, the
# effect and the host interface must build unchanged on every backend.
set -u
root=${1:?source root}
pattern='_WIN32|__linux__|__APPLE__|\bHWND\b|\bHDC\b|\bDisplay\b|cairo_|\bX11\b|<windows\.h>|<cairo'
dirs=()
for d in src/gui src/editor src/effect src/host; do
  [ -d "$root/$d" ] && dirs+=("$root/$d")
done
if grep -rnE "$pattern" "${dirs[@]}"; then
  echo "platform names found outside src/platform" >&2
  exit 1
fi
exit 0
