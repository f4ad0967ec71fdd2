#!/usr/bin/env bash
# Renders the demo phrase through Molvex with three contrasting settings and
# writes the sounds and their pictures into out/, takes a picture of the
# panel (under xvfb-run when there is no display), then validates the plug-in.
# Run from the repository root after the default build (./run demo does both).
# BUILD=dir picks another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD:-build}
host=$build/plughost
plugin=$build/Molvex.so
for f in "$host" "$plugin" "$build/demo_input"; do
  [ -e "$f" ] || { echo "demo: $f is missing; build first (./run demo)" >&2; exit 1; }
done
mkdir -p out

echo "== synthesising the input phrase"
"$build/demo_input" out/demo-input.wav
"$host" plot out/demo-input.wav out/demo-input.png

render() {
  local name=$1 what=$2
  shift 2
  echo "== $name: $what"
  "$host" render "$plugin" out/demo-input.wav "out/$name.wav" --plot "out/$name.png" "$@"
}

render long-dark-echo "600 ms low-pass echo at 550 Hz, 70 % feedback, ringing out for 6 s" \
  --set delay=0.6 --set feedback=0.7 --set type=0.1 --set cutoff=0.22 --set resonance=0.1 \
  --set "dry level=0.8" --set "wet level=0.8" --tail 6

render resonant-slap "90 ms band-pass slap at 2.2 kHz, resonance 85 %, panned left" \
  --set delay=0.09 --set feedback=0.35 --set type=0.8 --set cutoff=0.45 --set resonance=0.85 \
  --set pan=0.3 --set "dry level=0.8" --set "wet level=0.9" --tail 1.5

render automated-sweep "375 ms resonant low-pass echo, cutoff swept by tools/demo/sweep.automation, pan by MIDI CC 6" \
  --set delay=0.375 --set feedback=0.6 --set type=0.1 --set resonance=0.6 \
  --set "dry level=0.8" --set "wet level=0.8" --tail 4 \
  --automation tools/demo/sweep.automation --log-automation out/automated-sweep.log

echo "== the panel: out/editor.png"
editor=("$host" editor "$plugin" --script tools/demo/editor.script --screenshot out/editor.png)
if [ -n "${DISPLAY:-}" ]; then
  "${editor[@]}" >/dev/null
elif command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "${editor[@]}" >/dev/null
else
  echo "demo: no display and no xvfb-run, so no picture of the panel" >&2
fi

echo "== validating $plugin"
"$host" validate "$plugin"

echo "== done: out/ holds"
ls -1 out/demo-input.* out/long-dark-echo.* out/resonant-slap.* out/automated-sweep.* out/editor.png 2>/dev/null
