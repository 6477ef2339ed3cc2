#!/usr/bin/env bash
# Builds the program and the register simulator and starts the tool connected
# to a simulated register with demo data. Stopping the tool stops the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
# Only the tool and the simulator: the tests and benchmarks are the test
# command's business.
# One batch of files per compile (a unity build): the first build is twice
# as fast. A developer's own cmake build compiles every file alone.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON -DVILARON_TESTS=OFF -DVILARON_BENCH=OFF >/dev/null
cmake --build build -j "${JOBS:-2}" --target vilaron-setup vilaron-register-sim

link="${XDG_RUNTIME_DIR:-/tmp}/vilaron-sim-$$"
build/sim/vilaron-register-sim --demo --link "$link" &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
build/src/app/vilaron-setup --port "$link"
