#!/usr/bin/env bash
# Configures and builds the Windows trees with mingw-w64:
#   build-win32/Molvex.dll  the 32-bit plug-in (PE32 i386), what 32-bit hosts load
#   build-win64/Molvex.dll  the 64-bit plug-in (PE32+ x86-64), same name, own tree
# together with each tree's tests and plughost.exe. ./run test calls it, then
# tools/windows/test.sh.
#   tools/windows/build.sh [win32|win64 ...]   (default: both)
set -euo pipefail
cd "$(dirname "$0")/../.."

jobs=$(nproc 2>/dev/null || echo 2)
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(win32 win64)

for preset in "${presets[@]}"; do
  echo "== Windows build: $preset"
  # Without wine for the tree's word size (wine32, wine64), or a kernel that
  # runs its programs, its tests are built but not listed, since listing
  # them runs them; tools/windows/test.sh then runs only the DLL's file
  # checks there.
  runs=ON
  cannot=$(tools/setup.sh --blocker "wine${preset#win}")
  if [ -n "$cannot" ]; then
    runs=OFF
    echo "== $preset: its tests are built but not listed or run by ctest: $cannot"
  fi
  cmake --preset "$preset" -DMOLVEX_CAN_RUN_TESTS=$runs >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
