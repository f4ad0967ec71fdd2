#!/usr/bin/env bash
# plughost validate over Debian's CLAP plug-ins (zam-plugins, package group
# peers) and Molvex.clap, on a virtual X server for the GUI checks; one
# summary line per plug-in and check results in build/clap-peers/.
#   tools/clap/validate_peers.sh [PLUGHOST] [STRICTNESS]
set -uo pipefail
cd "$(dirname "$0")/../.."
plughost=${1:-build/plughost}
strictness=${2:-3}
out=build/clap-peers
mkdir -p "$out"
for plugin in build/Molvex.clap /usr/lib/clap/*.clap; do
  [ -f "$plugin" ] || continue
  name=$(basename "$plugin" .clap)
  timeout 300 xvfb-run -a "$plughost" validate "$plugin" --strictness "$strictness" >"$out/$name.txt" 2>&1
  status=$?
  summary=$(grep -E '^[0-9]+ passed' "$out/$name.txt" || tail -1 "$out/$name.txt")
  failed=$(grep -E '^  [a-z-]+ +FAIL' "$out/$name.txt" | awk '{print $1}' | paste -sd, -)
  echo "$name: exit $status, $summary${failed:+, failing: $failed}"
done
