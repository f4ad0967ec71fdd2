#!/usr/bin/env bash
# CPU share of a 2-second knob drag on Molvex's panel: plughost (the host and
# the plug-in's tracking loop) and the X server it polls, each in percent of
# one core over the session. Starts a private Xvfb; run from the repository
# root after a default build. BUILD=dir picks another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")

# Round and round FREQ's centre of rotation for two seconds, 20 samples a second.
{
  echo "wait 200"
  echo "press 171 19"
  for i in $(seq 0 39); do
    awk -v i="$i" 'BEGIN { a = i / 40 * 3.14159 * 1.4 - 0.7;
      printf "move %d %d\nwait 50\n", 171.5 + 20 * sin(a), 25.5 - 20 * cos(a) }'
  done
  echo "release"
} >"$work/drag.txt"

ticks() { awk '{ print $14 + $15 }' "/proc/$xvfb/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
start=$(date +%s.%N)
"$build/plughost" editor "$build/Molvex.so" --script "$work/drag.txt" | grep '^# editor open'
awk -v t="$(( $(ticks) - before ))" -v hz="$hz" -v s="$start" -v e="$(date +%s.%N)" \
  'BEGIN { printf "Xvfb: %.1f %% of one core\n", 100 * t / hz / (e - s) }'
