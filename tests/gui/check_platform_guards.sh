#!/usr/bin/env bash
# Platform names belong in src/platform only: the toolkit, the editor, the
# effect, the host interface and the format wrappers must build unchanged on
# every backend, and reach a backend only through platform/platform.h. LV2's
# own vocabulary (the ui:X11UI class a UI declares itself as) is not a
# platform call and is allowed.
set -u
root=${1:?source root}
pattern='_WIN32|__linux__|__APPLE__|\bHWND\b|\bHDC\b|\bDisplay\b|cairo_|\bX11\b|<windows\.h>|<cairo|platform/(x11|win32|cairo|headless)/'
lv2Vocabulary='ui:X11UI'
dirs=()
for d in src/gui src/editor src/effect src/host src/formats; do
  [ -d "$root/$d" ] && dirs+=("$root/$d")
done
found=$(grep -rnE --include="*.cpp" --include="*.h" "$pattern" "${dirs[@]}" | grep -vE "$lv2Vocabulary")
if [ -n "$found" ]; then
  echo "$found"
  echo "platform names found outside src/platform" >&2
  exit 1
fi
exit 0
