#!/usr/bin/env bash
# tools/reliability/leaks.sh: 100 loads and unloads of the plug-in library
# under valgrind, and 1000 instances with the editor opened and closed in
# between under LeakSanitizer (the asan tree).
cd "$(dirname "$0")/../.."
. tools/reliability/common.sh

if ! build_targets default -- Molvex load_cycles; then
  fail "default build"
elif command -v valgrind >/dev/null 2>&1; then
  check "100 load and unload cycles leave nothing" \
    valgrind --quiet --leak-check=full --errors-for-leak-kinds=definite,indirect \
    --error-exitcode=1 build/load_cycles build/Molvex.so 100
else
  skip "100 load and unload cycles leave nothing" "valgrind is not installed"
fi

if build_targets asan -- instance_cycles; then
  check "1000 instances leave nothing" \
    env LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp build-asan/instance_cycles 1000
else
  fail "asan build"
fi
finish
