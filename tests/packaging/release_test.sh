#!/usr/bin/env bash
# ./run test's step "release packages": makes the release files as
# ./run package does, makes them again from the same builds and compares the
# bytes, checks what each archive holds, then installs the Debian package in
# a fresh Debian root (tools/fresh_machine.sh --package).
set -uo pipefail
cd "$(dirname "$0")/../.."

passed=0 failed=0
check() {  # WHAT COMMAND ...: one counted check
  local what=$1 said
  shift
  if said=$("$@" 2>&1); then
    passed=$((passed + 1))
    echo "ok: $what"
  else
    failed=$((failed + 1))
    echo "FAILED: $what: $said"
  fi
}

first=$(mktemp -d) second=$(mktemp -d) unpacked=$(mktemp -d)
trap 'rm -rf "$first" "$second" "$unpacked"' EXIT
if ! ./run package "$first"; then
  echo "FAILED: ./run package"
  echo "step-counts: 0 passed, 1 failed, 0 skipped"
  exit 1
fi
version=$(sed -n 's/^project(Molvex VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
deb=$first/molvex_${version}_amd64.deb zip=$first/Molvex-$version-windows.zip
tar=$first/Molvex-$version-linux-x86_64.tar.gz

# The second time the built files carry another time, as a later build's would.
same_bytes() {
  find build/Molvex.so build/Molvex.lv2 build/Molvex.clap build/packaging build-win32/Molvex.* \
    build-win64/Molvex.* -exec touch -d '+1 hour' {} + 2>/dev/null
  tools/package.sh "$second" >/dev/null || return 1
  local f
  for f in "$first"/*; do cmp "$f" "$second/$(basename "$f")" || return 1; done
  [ "$(ls "$first")" = "$(ls "$second")" ] || { echo "the second run wrote other files"; return 1; }
}

# Every path the package holds lies in a format's folder or the documents,
# and every format is there.
deb_layout() {
  local paths wrong
  paths=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
  wrong=$(grep -vE '^\./(usr/(lib/((vst|lv2|clap)(/.*)?)?|share/(doc/(molvex/.*)?)?)?)?$' <<<"$paths")
  [ -z "$wrong" ] || { echo "files outside the plug-in folders: $wrong"; return 1; }
  local want=(./usr/lib/vst/Molvex.so ./usr/lib/lv2/Molvex.lv2/manifest.ttl
    ./usr/lib/lv2/Molvex.lv2/molvex_dsp.so ./usr/lib/lv2/Molvex.lv2/molvex_ui.so
    ./usr/share/doc/molvex/copyright ./usr/share/doc/molvex/changelog.gz ./usr/lib/clap/Molvex.clap)
  for f in "${want[@]}"; do grep -qx "$f" <<<"$paths" || { echo "no $f"; return 1; }; done
  [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || { echo "its version is not $version"; return 1; }
}

# The Windows files sit in folders named for their word size, and are that size.
zip_layout() {
  unzip -q "$zip" -d "$unpacked" || return 1
  local top=$unpacked/Molvex-$version-windows bits kind format
  [ -s "$top/README.txt" ] || { echo "no README.txt"; return 1; }
  for bits in 32 64; do
    [ $bits = 32 ] && format=pei-i386 || format=pei-x86-64
    for kind in vst2/Molvex.dll clap/Molvex.clap; do
      local file=$top/${kind%%/*}-${bits}bit/${kind#*/}
      objdump -f "$file" 2>/dev/null | grep -q "file format $format" ||
        x86_64-w64-mingw32-objdump -f "$file" 2>/dev/null | grep -q "file format $format" ||
        { echo "${file#"$unpacked"/} is no $format library"; return 1; }
    done
  done
}

tar_layout() {
  local paths top=Molvex-$version-linux-x86_64
  paths=$(tar -tzf "$tar")
  local want=("$top/README.txt" "$top/vst/Molvex.so" "$top/lv2/Molvex.lv2/manifest.ttl"
    "$top/clap/Molvex.clap")
  for f in "${want[@]}"; do grep -qx "$f" <<<"$paths" || { echo "no $f"; return 1; }; done
}

check "the same builds give the same bytes" same_bytes
check "the Debian package holds every format, in its folders only" deb_layout
check "the Windows archive holds 32-bit and 64-bit files in their folders" zip_layout
check "the Linux archive holds every format" tar_layout
sums() {
  (cd "$first" && sha256sum -c --quiet SHA256SUMS) || return 1
  [ "$(awk '{ print $2 }' "$first/SHA256SUMS" | sort)" = "$(ls "$first" | grep -vx SHA256SUMS | sort)" ] ||
    { echo "SHA256SUMS does not name every file"; return 1; }
}
check "SHA256SUMS holds every file's sum" sums
echo "step-counts: $passed passed, $failed failed, 0 skipped"

status=0
cannot=$(tools/setup.sh --blocker fresh lv2)
if [ -n "$cannot" ]; then
  echo "skipped: the package installed in a fresh root: $cannot"
  echo "step-counts: 0 passed, 0 failed, 1 skipped"
else
  tools/fresh_machine.sh --package "$deb" || status=$?
fi
[ $failed -eq 0 ] && [ $status -eq 0 ]
