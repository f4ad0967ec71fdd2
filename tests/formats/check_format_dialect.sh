#!/usr/bin/env bash
# The VST 2 dialect stays in its own folder: every other format reaches the
# effect through src/formats/common's sessions, which translate it once. A
# record, opcode or event name of that interface in another format's folder
# (code, comments or build files) fails here and is printed.
set -u
root=${1:?source root}
pattern='Vst|AEffect|audioMaster|\beff[A-Z]'
found=$(find "$root/src/formats" -mindepth 1 -maxdepth 1 -type d ! -name vst2 -print0 |
  xargs -0 grep -rnE "$pattern")
if [ -n "$found" ]; then
  echo "$found"
  echo "VST 2 names found in a format folder other than src/formats/vst2" >&2
  exit 1
fi
exit 0
