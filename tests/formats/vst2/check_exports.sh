#!/usr/bin/env bash
# The ELF plug-in exports `main` and nothing else: the C++ runtime linked
# into it, and the product's own symbols, stay inside, so they can never
# bind to a host's or another plug-in's copies.
set -u
nm=${1:?nm} library=${2:?library}
exports=$("$nm" -D --defined-only "$library" | awk '{ print $NF }') || exit 1
if [ "$exports" != main ]; then
  echo "$library exports more or other than main:" >&2
  echo "$exports" | head -20 >&2
  exit 1
fi
exit 0
