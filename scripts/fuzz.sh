#!/usr/bin/env bash
# Builds every fuzz target with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each one for MINUTES
# minutes (a fraction such as 0.5 is allowed), starting from its seed corpus
# in fuzz/corpus/<target>. Prints the executions and the findings of every
# target; a finding's input is kept in build-fuzz/fuzz-runs/<target>/findings.
# Exits with status 1 when any target found something.
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: scripts/fuzz.sh MINUTES" >&2
  exit 2
fi
seconds=$(awk -v m="$1" 'BEGIN { s = int(m * 60); if (s < 1) s = 1; print s }')
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
jobs=${JOBS:-2}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVILARON_SANITIZE=ON -DVILARON_FUZZ=ON -DVILARON_BENCH=OFF -DVILARON_TESTS=OFF >/dev/null
targets=$(sed -n 's/^ *vilaron_add_fuzzer(\([a-z_0-9]*\).*/\1/p' fuzz/CMakeLists.txt fuzz/*.cmake)
# shellcheck disable=SC2086
cmake --build build-fuzz -j "$jobs" --target $targets

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"

summary=()
total_findings=0
for t in $targets; do
  run=build-fuzz/fuzz-runs/$t
  # Findings of an earlier run are dropped: what is counted is this run's.
  rm -rf "$run/findings"
  mkdir -p "$run/corpus" "$run/findings"
  seeds=()
  [ -d "fuzz/corpus/$t" ] && seeds=("fuzz/corpus/$t")
  echo "== $t: ${seconds} s"
  status=0
  "build-fuzz/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$run/findings/" "$run/corpus" "${seeds[@]}" >"$run/log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log" | tail -1)
  findings=$(find "$run/findings" -type f | wc -l)
  if [ "$status" -ne 0 ] && [ "$findings" -eq 0 ]; then
    findings=1 # stopped without leaving an input (see the log)
  fi
  total_findings=$((total_findings + findings))
  line=$(printf '%-28s executions %-10s findings %s' "$t" "${executions:-?}" "$findings")
  echo "$line"
  [ "$findings" -ne 0 ] && tail -n 30 "$run/log"
  summary+=("$line")
done

echo "== summary (${seconds} s per target)"
printf '%s\n' "${summary[@]}"
[ "$total_findings" -eq 0 ]
