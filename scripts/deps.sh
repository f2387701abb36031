#!/usr/bin/env bash
# Installs the Debian packages Korva needs to build, test and run. Skips apt
# when everything is already there.
set -euo pipefail
packages=(cmake ninja-build ccache g++ clang libclang-rt-14-dev pkg-config
  libsdl2-dev libfreetype-dev libfontconfig-dev libpng-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y "${missing[@]}"
fi
