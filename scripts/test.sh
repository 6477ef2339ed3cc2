#!/usr/bin/env bash
# Builds the project and runs every test. A plain build (gcc) makes the
# programs, the benchmarks and the Debian package, and checks the package;
# a build with AddressSanitizer and UndefinedBehaviorSanitizer (clang) builds
# the tests and the fuzz targets and runs them all, the fuzz targets each for
# a short smoke run. Both build with warnings as errors. Each test runs once,
# under the sanitizers, which see more than a plain run would.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh --test

export QT_QPA_PLATFORM=offscreen
jobs=${JOBS:-2}

echo "== plain build (programs, benchmarks, Debian package)"
# The package's programs are stripped, so this build leaves the debug
# information out.
# Both builds compile the program's files in batches (a unity build), which
# reads the Qt headers once per batch instead of once per file; the tests'
# files are compiled one by one. A developer's own cmake build compiles every
# file alone, which also shows a file that lacks one of its includes.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
  -DCMAKE_UNITY_BUILD=ON -DVILARON_TESTS=OFF -DVILARON_BENCH=ON -DVILARON_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && cpack >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
package_status=0
tests/package/package_test.sh "$root/build" "$version" 1 build/src/app/vilaron-setup \
  build/sim/vilaron-register-sim build/src/cli/vilaron-cli || package_status=$?

echo "== sanitizer build (clang, ASan + UBSan, tests, fuzz targets)"
# -O1 with line tables only: the sanitizers' reports keep their file and line,
# the tests run faster and the debug information stays small to link (the
# tests' own code compiles at -O0, see tests/CMakeLists.txt). lld links the
# test executables in a fraction of ld's time.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
  -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_UNITY_BUILD=ON \
  -DVILARON_SANITIZE=ON -DVILARON_FUZZ=ON -DVILARON_TESTS=ON -DVILARON_BENCH=OFF -DVILARON_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
if [ "$package_status" -ne 0 ]; then
  echo "The package check failed (status $package_status); see its report above."
fi
# The output ends with CTest's summary line.
test_status=0
# Twice as many test processes as cores: many of them wait on ports and timers.
(cd build-asan && ctest --output-on-failure -j "$((jobs * 2))" --timeout 300) || test_status=$?
[ "$test_status" -ne 0 ] && exit "$test_status"
exit "$package_status"
