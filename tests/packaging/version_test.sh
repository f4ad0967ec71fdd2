#!/usr/bin/env bash
# The one version, set in the project's CMakeLists.txt, is the one every
# place shows: plughost --version, the LV2 bundle's version, the Debian
# package's control file, the README's package names.
#   version_test.sh SOURCE BUILD
set -uo pipefail
src=$1 build=$2
version=$(sed -n 's/^project(Molvex VERSION \([0-9]*\.[0-9]*\.[0-9]*\) .*/\1/p' "$src/CMakeLists.txt")
[ -n "$version" ] || { echo "no version in $src/CMakeLists.txt"; exit 1; }
IFS=. read -r _ minor micro <<<"$version"
status=0
expect() {  # WHAT ACTUAL WANTED
  [ "$2" = "$3" ] && return 0
  echo "$1 says '$2', not '$3'"
  status=1
}
expect "plughost --version" "$("$build/plughost" --version)" "plughost $version"
ttl=$build/Molvex.lv2/molvex.ttl
if [ -f "$ttl" ]; then
  expect "the LV2 minorVersion" "$(sed -n 's/.*lv2:minorVersion \([0-9]*\).*/\1/p' "$ttl")" "$minor"
  expect "the LV2 microVersion" "$(sed -n 's/.*lv2:microVersion \([0-9]*\).*/\1/p' "$ttl")" "$micro"
fi
expect "the package's control file" "$(sed -n 's/^Version: //p' "$build/packaging/control")" "$version"
for name in "molvex_${version}_amd64.deb" "Molvex-$version-windows.zip" "Molvex-$version-linux-x86_64.tar.gz"; do
  grep -qF "$name" "$src/README.md" || { echo "the README does not name $name"; status=1; }
done
grep -qF "molvex_${version}_amd64.deb" "$build/packaging/README.txt" ||
  { echo "the Linux read-me does not name molvex_${version}_amd64.deb"; status=1; }
exit $status
