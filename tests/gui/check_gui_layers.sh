#!/usr/bin/env bash
# The toolkit's layers point one way: controls build on core, and nothing in
# src/gui/core includes a header of src/gui/controls.
set -u
root=${1:?source root}
if grep -rnE '#include +"gui/controls/' "$root/src/gui/core"; then
  echo "src/gui/core includes src/gui/controls" >&2
  exit 1
fi
exit 0
