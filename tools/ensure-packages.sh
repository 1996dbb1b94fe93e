#!/usr/bin/env bash
# Installs the Debian packages Pelora needs to build, test and run, and nothing when all are
# there already. Uses sudo when not run as root.
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-translations-l10n fonts-liberation
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev liblemon-dev
  libzip-dev libexpat1-dev libxlsxwriter-dev coinor-libcbc-dev xvfb xdotool
  desktop-file-utils appstream shared-mime-info dpkg-dev file poppler-utils
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  echo "Installerar: ${missing[*]}"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi
