#!/usr/bin/env bash
# The Windows panel under wine, as a user's host shows it:
#   tools/windows/editor_test.sh TREE [LINUX-TREE]   (TREE: build-win32 or build-win64)
# 0. the DLL carries every resources/bitmaps/N.bmp as BITMAP N at the file's
#    size (read from the DLL file by LINUX-TREE/pe_bitmaps, wine or not);
# 1. the panel sessions of the Linux build (LINUX-TREE/plughost_panel_tests)
#    run against TREE's plughost.exe and Molvex.dll: real pointer drags on the
#    knobs (SendInput, which wine turns into X pointer events), one click on
#    "+" stepping the parameter exactly once, the type switch, the host's
#    automation, and screenshot pixels (knob handles, lit type word, display
#    text) against the panel's own bitmaps;
# 2. plughost.exe validate --check editor;
# 3. TREE/panel.png: the panel with the settings of docs/panel.png.
# Runs on the display it is given (tools/windows/test.sh starts Xvfb) or
# starts its own. Exit 0 passed, 1 failed, 77 skipped: no wine for the
# tree's word size (only 64-bit wine can be installed on some machines).
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
tree=${1:?usage: editor_test.sh TREE [LINUX-TREE]}
linux=${2:-build}

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi
export WINEDEBUG=-all

host=$root/$tree/plughost.exe
dll=$root/$tree/Molvex.dll
run=$root/tools/windows/wine-run.sh
for file in "$host" "$dll" "$root/$linux/plughost_panel_tests" "$root/$linux/pe_bitmaps"; do
  [ -f "$file" ] || { echo "editor_test: $file missing" >&2; exit 1; }
done

echo "== $tree: the panel's bitmaps in Molvex.dll"
expected=$(for file in resources/bitmaps/*.bmp; do
  echo "$(basename "$file" .bmp) $(od -An -tu4 -j18 -N4 "$file" | tr -d ' ') $(od -An -td4 -j22 -N4 "$file" | tr -d ' -')"
done | sort -n)
carried=$("$root/$linux/pe_bitmaps" "$dll" | sort -n)
if [ "$carried" != "$expected" ]; then
  printf 'editor_test: %s carries\n%s\nwant\n%s\n' "$dll" "$carried" "$expected" >&2
  exit 1
fi
echo "  $(wc -l <<<"$carried") bitmaps: $(cut -d' ' -f1 <<<"$carried" | tr '\n' ' ')"

# A 32-bit tree needs wine's 32-bit half (Debian's wine32:i386) and a kernel
# that runs 32-bit programs; without them wine would only make a prefix it
# cannot use.
pe=$(od -An -tu4 -j60 -N4 "$dll" | tr -d ' ')
if [ "$(od -An -tx2 -j$((pe + 4)) -N2 "$dll" | tr -d ' ')" = 014c ] && command -v dpkg-query >/dev/null &&
  cannot=$(tools/setup.sh --blocker wine32) && [ -n "$cannot" ]; then
  echo "editor_test: skipped $tree under wine: $cannot" >&2
  exit 77
fi
if ! probe=$(timeout 300 "$run" "$host" info "$dll" </dev/null 2>&1); then
  echo "$probe" >&2
  exit 1
fi

failed=0
echo "== $tree: panel sessions with the real pointer"
MOLVEX_PANEL_HOST="$run $host" MOLVEX_PANEL_PLUGIN=$dll \
  timeout 900 "$root/$linux/plughost_panel_tests" || failed=1

echo "== $tree: validate --check editor"
if out=$(timeout 600 "$run" "$host" validate "$dll" --strictness 2 --check editor </dev/null 2>&1) &&
  grep -q "^3 passed, 0 failed" <<<"$out"; then
  tail -n1 <<<"$out"
else
  echo "$out" >&2
  failed=1
fi

echo "== $tree: picture of the panel"
script=$root/$tree/panel_picture.txt
settings=(0.8 0.35 0.6 0.5 0.42 0.7 0.62 0.75 0.55)
{
  for i in "${!settings[@]}"; do echo "set $i ${settings[$i]}"; done
  echo "set 1 ${settings[1]}"  # the display shows the delay time, as in docs/panel.png
  echo "wait 300"
} >"$script"
timeout 300 "$run" "$host" editor "$dll" --script "$script" --screenshot "$root/$tree/panel.png" \
  </dev/null >/dev/null || failed=1
[ -s "$root/$tree/panel.png" ] && echo "  $tree/panel.png"
exit $failed
