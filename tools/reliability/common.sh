# Shared by the reliability scripts: build helpers and the check counts that
# ./run test reads ("step-counts: N passed, N failed, N skipped").
# Sourced, with the working directory at the top of the tree.
set -uo pipefail

passed=0 failed=0 skipped=0
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}

pass() { echo "PASS: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failed=$((failed + 1)); }
skip() { echo "SKIP: $1 ($2)"; skipped=$((skipped + 1)); }

# check NAME COMMAND ...: one check, passed when the command succeeds.
check() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name"; fi
}

finish() {
  echo "step-counts: $passed passed, $failed failed, $skipped skipped"
  [ "$failed" -eq 0 ]
}

have_clang() { command -v clang++-22 >/dev/null 2>&1; }

# build_targets PRESET [CMAKE OPTION ...] -- TARGET ...
build_targets() {
  local preset=$1
  shift
  local options=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
  shift
  cmake --preset "$preset" "${options[@]}" >/dev/null &&
    cmake --build --preset "$preset" -j 2 --target "$@"
}
