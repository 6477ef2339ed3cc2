#!/usr/bin/env bash
# Builds the Debian package of the program (build/vilaron-setup_<version>_<arch>.deb)
# from the plain build, then lets lintian look at it.
#   scripts/package.sh            install it with: sudo apt install ./build/vilaron-setup_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --package

jobs=${JOBS:-2}
# One batch of files per compile (a unity build): the first build is twice
# as fast. A developer's own cmake build compiles every file alone.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON -DVILARON_TESTS=OFF -DVILARON_BENCH=OFF >/dev/null
cmake --build build -j "$jobs"
(cd build && cpack)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb=build/vilaron-setup_${version}_$(dpkg --print-architecture).deb
echo "== lintian $deb"
lintian --tag-display-limit 0 --info "$deb" || true
echo "Package: $deb"
