#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Does nothing when all of them are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev libqt6serialport6
  libgtest-dev
  fonts-liberation2 fonts-dejavu-core
  clang libclang-rt-14-dev
  librsvg2-bin dpkg-dev desktop-file-utils lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
