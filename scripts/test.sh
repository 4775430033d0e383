#!/usr/bin/env bash
# Builds and runs every test: the whole suite in the default build, again under
# AddressSanitizer + UndefinedBehaviorSanitizer, the threaded core (serial link, protocol over
# the link, simulator) under ThreadSanitizer, the Windows build, its installer and the desktop
# tool under Wine (building Qt for Windows the first time), every fuzz target for 30 s, and the
# Debian package unpacked and checked. Warnings are errors.
#   scripts/test.sh --quick   the default build's suite only (the edit-and-test loop)
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
[ "${1:-}" = "--quick" ] && exit 0
run_preset asan
run_preset tsan --target voltscope_serial_tests voltscope_protocol_tests voltscope_sim_tests
scripts/test-windows.sh
scripts/fuzz.sh 30
scripts/package.sh --check
