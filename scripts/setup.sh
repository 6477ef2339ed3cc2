#!/usr/bin/env bash
# Installs the Debian packages the project needs. Does nothing when all of
# them are present.
#   scripts/setup.sh          what building and running the tool need
#   scripts/setup.sh --package   that, plus what building the Debian package needs
#   scripts/setup.sh --test   that, plus what the tests need (GoogleTest,
#                             clang and its sanitizer and fuzzing runtimes,
#                             lld to link the sanitized programs,
#                             ser2net for the network-line tests)
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev libqt6serialport6
  libquazip1-qt6-dev
  qt6-l10n-tools librsvg2-bin
  fonts-liberation2 fonts-dejavu-core
)
package_tools=(dpkg-dev desktop-file-utils lintian)
if [ "${1:-}" = "--test" ]; then
  packages+=(libgtest-dev clang libclang-rt-14-dev lld ser2net "${package_tools[@]}")
elif [ "${1:-}" = "--package" ]; then
  packages+=("${package_tools[@]}")
elif [ $# -gt 0 ]; then
  echo "usage: scripts/setup.sh [--package | --test]" >&2
  exit 2
fi

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
