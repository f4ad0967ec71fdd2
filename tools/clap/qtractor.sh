#!/usr/bin/env bash
# Molvex.clap in Debian's Qtractor (package group qtractor):
# 1. Qtractor's own plug-in scanner (qtractor_plugin_scan, what Qtractor
#    runs on every CLAP file it finds) on Molvex.clap and ZamDelay.clap;
# 2. Qtractor itself on a virtual X server with a dummy JACK server and
#    CLAP_PATH naming Molvex.clap's folder, for SECONDS, its log kept.
# Qtractor starts its audio engine only with an ALSA sequencer
# (/dev/snd/seq); where there is none the log says so and nothing plays.
#   tools/clap/qtractor.sh [PLUGIN.clap] [SECONDS]
set -uo pipefail
cd "$(dirname "$0")/../.."
plugin=$(realpath "${1:-build/Molvex.clap}")
seconds=${2:-15}
out=build/qtractor
mkdir -p "$out"
scanner=/usr/lib/x86_64-linux-gnu/qtractor/qtractor_plugin_scan
[ -x "$scanner" ] || { echo "qtractor: not installed (tools/setup.sh qtractor)" >&2; exit 77; }

echo "== Qtractor's scanner"
for p in "$plugin" /usr/lib/clap/ZamDelay.clap; do
  [ -f "$p" ] && printf 'CLAP:%s\n' "$p" | timeout 20 "$scanner" 2>&1
done

echo "== /dev/snd/seq: $( [ -e /dev/snd/seq ] && echo present || echo missing)"

export HOME=$PWD/$out/home CLAP_PATH=$(dirname "$plugin")
mkdir -p "$HOME"
jackd --no-realtime -d dummy -r 48000 -p 512 >"$out/jackd.log" 2>&1 &
jack=$!
sleep 2
timeout "$seconds" xvfb-run -a qtractor >"$out/qtractor.log" 2>&1
echo "== qtractor ran ${seconds} s (status $?); its log:"
cat "$out/qtractor.log"
kill "$jack" 2>/dev/null
wait "$jack" 2>/dev/null
