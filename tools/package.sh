#!/usr/bin/env bash
# Writes the release files into dist/ from the builds ./run package made:
#   molvex_VERSION_amd64.deb              every Linux format where Debian's hosts look
#   Molvex-VERSION-linux-x86_64.tar.gz    the same files for other distributions
#   Molvex-VERSION-windows.zip            the 32-bit and 64-bit VST 2 and CLAP files
#   SHA256SUMS
# and prints what lintian says of the package. The bytes depend only on the
# commit: every time stamp is the commit's (SOURCE_DATE_EPOCH where set),
# owners are root, and files go into the archives in name order.
#   tools/package.sh [DIST]     BUILD, WIN32_BUILD, WIN64_BUILD pick other build folders
set -euo pipefail
cd "$(dirname "$0")/.."

dist=${1:-dist}
linux=${BUILD:-build} win32=${WIN32_BUILD:-build-win32} win64=${WIN64_BUILD:-build-win64}
fail() { echo "package: $*" >&2; exit 1; }

[ -f "$linux/packaging/control" ] || fail "$linux is not configured; ./run package builds it"
version=$(sed -n 's/^Version: //p' "$linux/packaging/control")
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
export SOURCE_DATE_EPOCH=$epoch TZ=UTC LC_ALL=C

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$dist"
dist=$(cd "$dist" && pwd)

# Same modes, owners and times for every file, whatever the umask and the
# clock said when it was built.
settle() {  # DIR
  find "$1" -type d -exec chmod 0755 {} +
  find "$1" -type f -exec chmod 0644 {} +
  find "$1" -exec touch -h -d "@$epoch" {} +
}

debian_package() {
  local root=$stage/deb
  cmake --install "$linux" --prefix "$root/usr" --strip >/dev/null
  [ -f "$root/usr/lib/vst/Molvex.so" ] || fail "the install has no VST 2 library"
  mkdir -p "$root/DEBIAN"
  local libs depends
  libs=$(find "$root/usr/lib" -type f \( -name '*.so' -o -name '*.clap' \) | sort)
  # dpkg-shlibdeps reads the package's name from a source tree's control file.
  mkdir -p "$stage/src/debian"
  printf 'Source: molvex\n\nPackage: molvex\nArchitecture: amd64\n' >"$stage/src/debian/control"
  # shellcheck disable=SC2086
  depends=$(cd "$stage/src" && dpkg-shlibdeps -O $libs 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
  [ -n "$depends" ] || fail "dpkg-shlibdeps found no dependencies"
  {
    sed '/^Description:/,$d' "$linux/packaging/control"
    echo "Installed-Size: $(du -sk --apparent-size "$root/usr" | cut -f1)"
    echo "Depends: $depends"
    sed -n '/^Description:/,$p' "$linux/packaging/control"
  } >"$root/DEBIAN/control"
  settle "$root/usr"
  (cd "$root" && find usr -type f | sort | xargs md5sum) >"$root/DEBIAN/md5sums"
  settle "$root/DEBIAN"
  dpkg-deb --root-owner-group -Zxz --build "$root" "$dist/molvex_${version}_amd64.deb" >/dev/null
}

archive_tar() {  # NAME: a gzipped tar of $stage/NAME
  tar -C "$stage" --sort=name --mtime="@$epoch" --owner=0 --group=0 --numeric-owner \
    -cf - "$1" | gzip -9n >"$dist/$1.tar.gz"
}

linux_archive() {
  local name=Molvex-$version-linux-x86_64 usr=$stage/deb/usr
  mkdir -p "$stage/$name/vst" "$stage/$name/lv2" "$stage/$name/clap"
  cp "$usr/lib/vst/Molvex.so" "$stage/$name/vst/"
  cp -R "$usr/lib/lv2/Molvex.lv2" "$stage/$name/lv2/"
  if [ -d "$usr/lib/clap" ]; then cp "$usr/lib/clap/"* "$stage/$name/clap/"; else rmdir "$stage/$name/clap"; fi
  cp "$usr/share/doc/molvex/README.txt" "$stage/$name/README.txt"
  settle "$stage/$name"
  archive_tar "$name"
}

windows_archive() {
  local name=Molvex-$version-windows bits build folder
  mkdir -p "$stage/$name"
  for bits in 32 64; do
    [ $bits = 32 ] && build=$win32 || build=$win64
    [ -f "$build/Molvex.dll" ] || fail "$build/Molvex.dll is missing; ./run package builds it"
    mkdir -p "$stage/$name/vst2-${bits}bit"
    cp "$build/Molvex.dll" "$stage/$name/vst2-${bits}bit/"
    if [ -f "$build/Molvex.clap" ]; then
      folder=$stage/$name/clap-${bits}bit
      mkdir -p "$folder" && cp "$build/Molvex.clap" "$folder/"
    fi
  done
  # Notepad and every Windows editor read CRLF lines.
  sed 's/$/\r/' "$linux/packaging/README.windows.txt" >"$stage/$name/README.txt"
  settle "$stage/$name"
  rm -f "$dist/$name.zip"
  (cd "$stage" && find "$name" | sort | zip -X -D -q -9 "$dist/$name.zip" -@)
}

rm -f "$dist"/molvex_*.deb "$dist"/Molvex-*.tar.gz "$dist"/Molvex-*.zip "$dist/SHA256SUMS"
debian_package
linux_archive
windows_archive
(cd "$dist" && sha256sum -- *.deb *.tar.gz *.zip >SHA256SUMS)
for file in "$dist"/*; do
  printf 'package: %s (%s bytes)\n' "${file#"$PWD"/}" "$(stat -c %s "$file")"
done
# Errors fail the run; warnings are printed for the maintainer to weigh.
said=$(lintian --allow-root "$dist/molvex_${version}_amd64.deb" 2>&1) || true
echo "package: lintian says: ${said:-nothing}"
! grep -q '^E: ' <<<"$said" || fail "lintian found errors in the package"
