#!/usr/bin/env bash
# Builds the project and runs every test: once in a plain build, once in a
# build with AddressSanitizer and UndefinedBehaviorSanitizer (clang), which
# also builds the fuzz targets and gives each a short smoke run. Both build
# with warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh --test

export QT_QPA_PLATFORM=offscreen
jobs=${JOBS:-2}

echo "== sanitizer build (clang, ASan + UBSan, fuzz targets)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVILARON_SANITIZE=ON -DVILARON_FUZZ=ON -DVILARON_TESTS=ON -DVILARON_BENCH=OFF -DVILARON_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
asan_status=0
(cd build-asan && ctest --output-on-failure -j "$jobs" --timeout 300) || asan_status=$?
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

echo "== plain build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVILARON_TESTS=ON -DVILARON_BENCH=ON \
  -DVILARON_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
# The Debian package, made before the tests so that its test finds it.
(cd build && cpack >/dev/null)
if [ "$asan_status" -ne 0 ]; then
  echo "The sanitizer run failed (status $asan_status); see its report above."
fi
# The plain run comes last, so that the output ends with CTest's summary line.
cd build
ctest --output-on-failure -j "$jobs" --timeout 300
exit "$asan_status"
