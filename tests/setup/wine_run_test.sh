#!/usr/bin/env bash
# tools/windows/wine-run.sh against fake wine loaders: a 64-bit prefix is
# made with the 64-bit loader even where the 32-bit one exists, and a
# wineboot that fails ends the script with what wine said, never silently.
#   wine_run_test.sh SOURCE-DIR
set -uo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
problem() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$work/lib" "$work/bin" "$work/tree"
touch "$work/tree/CMakeCache.txt"
# The 32-bit loader cannot start, as on a kernel without 32-bit programs.
printf '#!/bin/sh\necho "wine: Exec format error" >&2\nexit 126\n' >"$work/lib/wine"
# The 64-bit loader makes the prefix and records that it was the one called.
cat >"$work/lib/wine64" <<'FAKE'
#!/bin/sh
echo "wine64 $*" >>"$WINEPREFIX/../calls"
[ "$1" = wineboot ] && touch "$WINEPREFIX/system.reg"
exit 0
FAKE
printf '#!/bin/sh\nexit 0\n' >"$work/bin/wineserver"
chmod +x "$work/lib/wine" "$work/lib/wine64" "$work/bin/wineserver"
mkdir -p "$work/tree/wineprefix"
export PATH="$work/bin:$PATH" MOLVEX_WINE_LIB=$work/lib

out=$("$source_dir/tools/windows/wine-run.sh" --prepare "$work/tree" win64 2>&1)
status=$?
[ $status -eq 0 ] || problem "a 64-bit prefix failed ($status): $out"
grep -q '^wine64 wineboot -i$' "$work/tree/calls" 2>/dev/null || problem "the 64-bit loader did not make the prefix"

# A 32-bit prefix on the same machine: the loader fails, and the script
# says so with wine's own words and status 2.
rm -rf "$work/tree/wineprefix" && mkdir -p "$work/tree/wineprefix"
out=$("$source_dir/tools/windows/wine-run.sh" --prepare "$work/tree" win32 2>&1)
status=$?
[ $status -eq 2 ] || problem "a failed wineboot gave status $status"
grep -q "could not create the win32 prefix" <<<"$out" || problem "no reason given: $out"
grep -q "Exec format error" <<<"$out" || problem "wine's words not shown: $out"

[ $failures -eq 0 ] || exit 1
echo "wine-run: all cases pass"
