#!/usr/bin/env bash
# ./run test's bookkeeping (tools/test_steps.sh) on a machine that lacks
# 32-bit wine, with a fake dpkg: passing, failing and broken steps are summed,
# a step whose group is missing never runs, every missing group is named with
# apt's reason, a step that fails without a failed test shows its last lines,
# a group whose check refuses this machine is skipped with the check's reason
# even when its packages are installed, and the closing line is the plain
# count.
#   test_steps_test.sh SOURCE-DIR
set -uo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/state/installed"
ln -s "$source_dir/tests/setup/fake_apt.sh" "$work/bin/dpkg"
for p in $(awk -F'|' '!/^[[:space:]]*#/ && NF >= 3 { print $3 }' "$source_dir/tools/packages.txt"); do
  [ "$p" = wine32:i386 ] || touch "$work/state/installed/$p"
done
# The 32-bit check's answer, as ./run keeps it for a run: this machine could
# run 32-bit programs, were wine32 installed.
mkdir -p "$work/probes"
: >"$work/probes/wine32"
export PATH="$work/bin:$PATH" FAKE_STATE=$work/state MOLVEX_PROBE_CACHE=$work/probes
failures=0
problem() { echo "FAIL: $*"; failures=$((failures + 1)); }

cd "$source_dir"
out=$(
  source tools/test_steps.sh
  setup_said="setup: could not install wine32:i386: held broken packages"
  step "clean" "build gtest" printf '100%% tests passed, 0 tests failed out of 7\n'
  step "one failure and a skip" "build" printf '80%% tests passed, 1 test failed out of 5\n\t  3 - a.b (Skipped)\n'
  step "script" "build windows" bash -c 'echo "step-counts: 4 passed, 0 failed, 9 skipped"'
  step "broken build" "build" bash -c 'echo configuring; echo "CMake Error: no XTest"; exit 3'
  step "needs 32-bit wine" "build wine32" touch "$work/ran"
  test_summary
  echo "status $?"
)
[ -e "$work/ran" ] && problem "a step whose group is missing ran"
expected="skipped: the 32-bit Windows build's tests under wine (group wine32): lacks wine32:i386 (wine32:i386: held broken packages)
skipped step: needs 32-bit wine: lacks wine32:i386
broken build ended with status 3 and no failed test; its last lines:
    configuring
    CMake Error: no XTest
failed: one failure and a skip
failed: broken build
14 passed, 2 failed, 10 skipped
status 1"
[ "$(sed -n '/^==== summary$/,$p' <<<"$out" | tail -n +2)" = "$expected" ] ||
  problem "summary differs; got:
$out"

clean=$(
  source tools/test_steps.sh
  step "clean" "build" printf '100%% tests passed, 0 tests failed out of 3\n'
  test_summary >/dev/null
  echo "status $?"
)
[ "$clean" = "==== clean
100% tests passed, 0 tests failed out of 3
status 0" ] || problem "a clean run: $clean"

# A kernel without 32-bit programs: wine32 installed or not, its step is
# skipped with the kernel's reason, never run.
touch "$work/state/installed/wine32:i386"
echo "this machine's kernel runs no 32-bit programs" >"$work/probes/wine32"
refused=$(
  source tools/test_steps.sh
  step "needs 32-bit wine" "build wine32" touch "$work/ran"
  test_summary
)
[ -e "$work/ran" ] && problem "a step whose check refuses the machine ran"
[ "$(sed -n '/^==== summary$/,$p' <<<"$refused" | tail -n +2)" = "skipped: the 32-bit Windows build's tests under wine (group wine32): this machine's kernel runs no 32-bit programs
skipped step: needs 32-bit wine: this machine's kernel runs no 32-bit programs
0 passed, 0 failed, 0 skipped" ] || problem "a refused group: $refused"

[ $failures -eq 0 ] || exit 1
echo "test steps: all cases pass"
