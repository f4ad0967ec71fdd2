#!/usr/bin/env bash
# Data members are named in plain lowerCamelCase everywhere (`sampleRate`,
# not `sampleRate_`), so a name reads the same in the product, the host and
# the tests.
set -u
root=${1:?source root}
dirs=()
for d in src tools tests bench; do
  [ -d "$root/$d" ] && dirs+=("$root/$d")
done
if grep -rnE --include='*.cpp' --include='*.h' '\b[a-z][A-Za-z0-9]*_\b' "${dirs[@]}"; then
  echo "names with a trailing underscore found; members are plain lowerCamelCase" >&2
  exit 1
fi
exit 0
