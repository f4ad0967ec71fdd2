#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks for building and testing Molvex.
# Idempotent: a machine that has everything returns at once.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsndfile1-dev libcairo2-dev libfontconfig1-dev fonts-liberation
  libx11-dev libxtst-dev xvfb xdotool x11-utils
  libstb-dev clang libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
  wine wine64 wine32:i386 xauth
  zam-plugins lsp-plugins-vst dpf-plugins-vst
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages (${missing[*]}); run ./run as root to install them" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
# 32-bit wine needs the i386 architecture before the package lists are read.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
