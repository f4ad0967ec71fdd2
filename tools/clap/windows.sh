#!/usr/bin/env bash
# The 64-bit Windows Molvex.clap under wine (64-bit only where the kernel
# runs no 32-bit programs; build-win32/Molvex.clap gets its file checks):
# its shape, plughost.exe's render against the Linux plug-in's with
# automation and a control change (the same samples, 1e-6), and the panel
# opened by plughost.exe editor on a virtual display, a picture kept.
# Needs build/ (plughost, Molvex.clap, compare_audio) and build-win64/.
#   tools/clap/windows.sh
set -uo pipefail
cd "$(dirname "$0")/../.."
source tools/windows/wine_env.sh
use_wine win64
export WINEPREFIX=$PWD/build-win64/wineprefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
out=build-win64/clap
mkdir -p "$out"
status=0
for tree in build-win32:32 build-win64:64; do
  dir=${tree%:*}
  [ -f "$dir/Molvex.clap" ] || continue
  bits=${tree#*:}
  [ "$bits" = 32 ] && objdump=i686-w64-mingw32-objdump || objdump=x86_64-w64-mingw32-objdump
  tests/windows/check_dll.sh "$objdump" "$dir/Molvex.clap" "$bits" clap_entry || status=1
done
build/make_inputs "$out" >/dev/null || status=1
same=(--set delay=0.1 --set feedback=0.5 --block random --automation "$out/formats.txt")
build/plughost render build/Molvex.clap "$out/stereo.wav" "$out/linux.wav" "${same[@]}" >/dev/null || status=1
timeout 120 "$WINE" build-win64/plughost.exe render build-win64/Molvex.clap "$out/stereo.wav" \
  "$out/win64.wav" "${same[@]}" >/dev/null 2>&1 || status=1
echo "render, Linux against win64: $(build/compare_audio "$out/linux.wav" "$out/win64.wav" 1e-6)" ||
  status=1
timeout 120 xvfb-run -a "$WINE" build-win64/plughost.exe editor build-win64/Molvex.clap \
  --screenshot "$out/panel.png" --seconds 3 >"$out/editor.log" 2>&1 || status=1
[ -s "$out/panel.png" ] && echo "panel under wine: $out/panel.png" || { echo "panel: no picture"; status=1; }
# The FREQ knob dragged by the scripted pointer: one gesture and its values
# reach the host.
script=$(winepath -w tests/plughost/molvex_drag.txt 2>/dev/null || echo tests/plughost/molvex_drag.txt)
timeout 120 xvfb-run -a "$WINE" build-win64/plughost.exe editor build-win64/Molvex.clap \
  --script "$script" >"$out/drag.log" 2>&1 || status=1
if grep -q "begin edit 4" "$out/drag.log" && grep -q "end edit 4" "$out/drag.log" &&
  grep -q " 4 automations" "$out/drag.log"; then
  echo "panel drag under wine: one gesture, 4 values"
else
  echo "panel drag under wine: not heard as one gesture with values ($out/drag.log)"
  status=1
fi
exit $status
