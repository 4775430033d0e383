#!/usr/bin/env bash
# Builds and runs every test: the whole suite in the default build, again under
# AddressSanitizer + UndefinedBehaviorSanitizer, and the threaded core (serial link, protocol
# over the link, simulator) under ThreadSanitizer. Warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

run_preset() {
    local preset=$1; shift
    echo "=== $preset build"
    cmake --preset "$preset" -DVOLTSCOPE_WERROR=ON >/dev/null
    cmake --build --preset "$preset" "$@"
    echo "=== $preset tests"
    ctest --preset "$preset"
}

run_preset default
run_preset asan
run_preset tsan --target voltscope_serial_tests voltscope_protocol_tests voltscope_sim_tests
