#!/usr/bin/env bash
# The Windows build, tested here: cross-builds the core, voltscope-cli and the serial and
# protocol suites with MinGW-w64, then runs them under Wine against the panel simulator, whose
# pseudo-terminal Wine maps as a COM port. Everything it starts or makes is gone when it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
stage() { echo "=== $* (at ${SECONDS} s)"; }

scripts/install-deps.sh
# Without recommends: the 64-bit loader is all the tests need, not Wine's 32-bit half.
NO_RECOMMENDS=1 scripts/install-deps.sh g++-mingw-w64-x86-64 wine64 googletest

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[ -x "$wine" ] || { echo "no Wine loader at $wine" >&2; exit 1; }

stage "native simulator and voltscope-cli"
if [ ! -f build/default/CMakeCache.txt ]; then
    cmake --preset default -DVOLTSCOPE_WERROR=ON >/dev/null
fi
cmake --build --preset default --target voltscope-panelsim voltscope-cli

stage "windows-cross build"
cmake --preset windows-cross -DVOLTSCOPE_WERROR=ON >/dev/null
cmake --build --preset windows-cross
bin=build/windows-cross

scratch=$(mktemp -d /tmp/voltscope-windows-XXXXXX)
export WINEPREFIX=$scratch/wine
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
export XDG_CONFIG_HOME=$scratch/config      # the simulator's COM links go here
sims=()

cleanup() {
    for pid in "${sims[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    [ -d "$WINEPREFIX" ] && "$wineserver" -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

stage "Wine prefix"
"$wine" wineboot -i >"$scratch/wineboot.log" 2>&1

# start_sim COM ADDRESS LOG: serves as COM n in the ports folder and in the Wine prefix.
start_sim() {
    local com=$1 address=$2 log=$3
    build/default/sim/voltscope-panelsim --com "$com" --address "$address" --verbose >"$log" 2>&1 &
    sims+=($!)
    local device=""
    for _ in $(seq 100); do
        device=$(sed -n 's/^panel simulator on \([^,]*\),.*/\1/p' "$log")
        [ -n "$device" ] && break
        sleep 0.05
    done
    [ -n "$device" ] || { echo "the simulator did not start:" >&2; cat "$log" >&2; exit 1; }
    ln -sfn "$device" "$WINEPREFIX/dosdevices/com$com"
}

# stop_sim: stops the simulator started last; it then prints the bytes outside requests.
stop_sim() {
    local pid=${sims[-1]}
    kill "$pid"
    wait "$pid" || true
    unset 'sims[-1]'
}

passed=0
failed=0
skipped=0
check() {  # check DESCRIPTION COMMAND...
    local what=$1; shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAILED: $what" >&2
        failed=$((failed + 1))
    fi
}

# run_suite NAME EXE: runs a GoogleTest binary under Wine and adds up its results.
run_suite() {
    local name=$1 exe=$2 out=$scratch/$1.log status=0
    stage "$name under Wine"
    VOLTSCOPE_TEST_COM=5 VOLTSCOPE_TEST_ADDRESS=7 "$wine" "$exe" >"$out.raw" 2>&1 || status=$?
    tr -d '\r' <"$out.raw" >"$out"  # a Windows console program ends its lines with CR LF
    grep -E '^\[ +(OK|FAILED|SKIPPED) +\] [A-Za-z].* \([0-9]+ ms\)$' "$out" || true
    local n
    n=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$out"); passed=$((passed + ${n:-0}))
    n=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$out"); failed=$((failed + ${n:-0}))
    n=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) test.*/\1/p' "$out"); skipped=$((skipped + ${n:-0}))
    if [ "$status" -ne 0 ] && ! grep -q '^\[  FAILED  \] [0-9]' "$out"; then
        cat "$out" >&2
        failed=$((failed + 1))  # it ended without a verdict
    fi
}

only_zero_bytes() {  # the closing 0x00 of each connection, and nothing else
    grep -qE '^bytes outside requests: 00( 00)*$' "$1"
}

stage "simulator on COM5"
start_sim 5 7 "$scratch/sim-suites.log"
run_suite serial "$bin/tests/serial/voltscope_serial_tests.exe"
run_suite protocol "$bin/tests/protocol/voltscope_protocol_tests.exe"
build/default/cli/voltscope-cli --com 5 --address 7 dump >"$scratch/dump-linux.csv"
stop_sim
check "the suites' connections each closed with one 0x00 byte" \
    only_zero_bytes "$scratch/sim-suites.log"

stage "voltscope-cli.exe --com 6 dump under Wine"
start_sim 6 7 "$scratch/sim-dump.log"
status=0
"$wine" "$bin/cli/voltscope-cli.exe" --com 6 --address 7 dump >"$scratch/dump-windows.csv" \
    2>"$scratch/dump-windows.err" || status=$?
stop_sim
echo "exit code $status, $(wc -l <"$scratch/dump-windows.csv") lines," \
     "$(grep -c '^read ' "$scratch/sim-dump.log") requests logged by the simulator"
check "dump exits 0" [ "$status" -eq 0 ]
if [ "$status" -ne 0 ]; then
    echo "--- what the dump said:" >&2
    tail -20 "$scratch/dump-windows.err" >&2
    echo "--- what the simulator logged last:" >&2
    tail -20 "$scratch/sim-dump.log" >&2
fi
check "the simulator answered every request of the dump" \
    bash -c "grep -q '^read ' '$scratch/sim-dump.log' && ! grep -q 'not answered' '$scratch/sim-dump.log'"
check "the dump's connection closed with exactly one 0x00 byte" \
    grep -qx 'bytes outside requests: 00' "$scratch/sim-dump.log"
registers() { tr -d '\r' <"$1" | cut -d, -f1,2; }
check "the Windows dump lists the registers the Linux one does" \
    cmp -s <(registers "$scratch/dump-windows.csv") <(registers "$scratch/dump-linux.csv")

stage "done"
echo "windows: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
