#!/usr/bin/env bash
# The Windows build, tested here: builds Qt for Windows once (scripts/build-qt-windows.sh, kept
# in a cache folder), cross-builds the core, voltscope-cli, the serial and protocol suites and
# the desktop tool with MinGW-w64, makes the installer, and runs it all under Wine against the
# panel simulator, whose pseudo-terminal Wine maps as a COM port: the suites, a CLI dump, a
# silent install, the installed picture tool connected to the simulator, the installed desktop
# tool on a virtual X display with Qt's windows platform, and a silent uninstall. Everything it
# starts or makes is gone when it ends, except the pictures in build/windows-cross/pictures/.
set -euo pipefail
cd "$(dirname "$0")/.."
# Read whole before it runs: checking out or editing this file meanwhile changes nothing here.
{
stage() { echo "=== $* (at ${SECONDS} s)"; }

scripts/install-deps.sh
# Without recommends: the 64-bit loader is all the tests need, not Wine's 32-bit half.
# Wine's own fonts (Tahoma and the like) give the desktop tool the look it has on Windows.
NO_RECOMMENDS=1 scripts/install-deps.sh g++-mingw-w64-x86-64 wine64 fonts-wine googletest nsis \
    xvfb xauth x11-utils xdotool

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[ -x "$wine" ] || { echo "no Wine loader at $wine" >&2; exit 1; }

stage "native simulator, voltscope-cli, the user guide and the icon"
if [ ! -f build/default/CMakeCache.txt ]; then
    cmake --preset default -DVOLTSCOPE_WERROR=ON >/dev/null
fi
cmake --build --preset default --target voltscope-panelsim voltscope-cli \
    voltscope_help_documents voltscope_icons voltscope_screen_grab

stage "Qt for Windows"
scripts/build-qt-windows.sh

stage "windows-cross build"
cmake --preset windows-cross -DVOLTSCOPE_WERROR=ON >/dev/null
cmake --build --preset windows-cross
bin=build/windows-cross
if [ ! -f "$bin/app/view/voltscope.exe" ]; then
    echo "the cross build made no voltscope.exe (is Qt for Windows where the preset looks?)" >&2
    exit 1
fi

stage "installer"
if ! command -v makensis >/dev/null; then
    echo "makensis (package nsis) is missing: the installer cannot be made" >&2
    exit 1
fi
rm -f "$bin"/VoltScope-*-win64.exe
cpack --preset windows-installer >"$bin/cpack.log" 2>&1 || { tail -30 "$bin/cpack.log" >&2; exit 1; }
installer=$(ls "$bin"/VoltScope-*-win64.exe)
echo "$installer ($(du -h "$installer" | cut -f1))"

scratch=$(mktemp -d /tmp/voltscope-windows-XXXXXX)
export WINEPREFIX=$scratch/wine
export WINEDEBUG=-all
# No Mono or Gecko installer prompts, and no menu entries or file types on the Linux desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_CONFIG_HOME=$scratch/config      # the simulator's COM links go here
sims=()
xvfb=""
gui=""

cleanup() {
    for pid in "${sims[@]}" $gui; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    [ -d "$WINEPREFIX" ] && "$wineserver" -k 2>/dev/null || true
    [ -n "$xvfb" ] && { kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; }
    rm -rf "$scratch"
}
trap cleanup EXIT

# A virtual display for the whole Wine session, so that the desktop tool's window has one.
stage "virtual display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" \
    >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || { echo "Xvfb did not start:" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(cat "$scratch/display")

stage "Wine prefix"
"$wine" wineboot -i >"$scratch/wineboot.log" 2>&1

# start_sim COM LOG [ADDRESS]: serves as COM n in the ports folder and in the Wine prefix.
start_sim() {
    local com=$1 log=$2 address=()
    [ $# -ge 3 ] && address=(--address "$3")
    build/default/sim/voltscope-panelsim --com "$com" "${address[@]}" --verbose >"$log" 2>&1 &
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

all_answered() {  # the simulator logged requests and answered every one
    grep -q '^read ' "$1" && ! grep -q 'not answered' "$1"
}

stage "simulator on COM5"
start_sim 5 "$scratch/sim-suites.log" 7
run_suite serial "$bin/tests/serial/voltscope_serial_tests.exe"
run_suite protocol "$bin/tests/protocol/voltscope_protocol_tests.exe"
build/default/cli/voltscope-cli --com 5 --address 7 dump >"$scratch/dump-linux.csv"
stop_sim
check "the suites' connections each closed with one 0x00 byte" \
    only_zero_bytes "$scratch/sim-suites.log"

stage "voltscope-cli.exe --com 6 dump under Wine"
start_sim 6 "$scratch/sim-dump.log" 7
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
check "the simulator answered every request of the dump" all_answered "$scratch/sim-dump.log"
check "the dump's connection closed with exactly one 0x00 byte" \
    grep -qx 'bytes outside requests: 00' "$scratch/sim-dump.log"
registers() { tr -d '\r' <"$1" | cut -d, -f1,2; }
check "the Windows dump lists the registers the Linux one does" \
    cmp -s <(registers "$scratch/dump-windows.csv") <(registers "$scratch/dump-linux.csv")

stage "silent install of $(basename "$installer")"
program_files="$WINEPREFIX/drive_c/Program Files"
folder="$program_files/VoltScope"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/VoltScope"
"$wine" "$installer" /S
"$wineserver" -w
installed() {
    local missing=0 file
    for file in voltscope.exe voltscope_capture.exe voltscope-cli.exe Uninstall.exe \
                Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
                platforms/qoffscreen.dll styles/qwindowsvistastyle.dll libstdc++-6.dll \
                libgcc_s_seh-1.dll libwinpthread-1.dll VoltScope5_UG.pdf Ver_Info.txt; do
        [ -f "$folder/$file" ] || { echo "not installed: $file" >&2; missing=1; }
    done
    return "$missing"
}
check "the installer put the programs, Qt, the runtime and the documents in Program Files" \
    installed
# A shortcut names its target and its start folder in UTF-16 or in the local code page.
lnk_says() { local text; text=$(strings -a "$1"; strings -a -el "$1"); grep -qi "$2" <<<"$text"; }
shortcut() { lnk_says "$1" voltscope.exe && lnk_says "$1" Documents; }
check "the Start menu holds VoltScope, starting it in the Documents folder" \
    shortcut "$menu/VoltScope.lnk"
check "the Start menu holds the user guide and the uninstaller" \
    test -f "$menu/VoltScope User Guide.lnk" -a -f "$menu/Uninstall.lnk"
check "voltscope.exe carries the icon" \
    bash -c "x86_64-w64-mingw32-objdump -h '$folder/voltscope.exe' | grep -q '\.rsrc'"
# Every DLL a program or plugin imports is installed beside it or is one of Windows' own (in
# system32, or an API set, which Windows resolves without a file).
imports_found() {
    local missing=0 file dll
    while IFS= read -r -d '' file; do
        while read -r dll; do
            case ${dll,,} in api-ms-win-* | ext-ms-win-*) continue ;; esac
            if [ -z "$(find "$folder" "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 \
                       -iname "$dll" -print -quit)" ]; then
                echo "$(basename "$file") imports $dll, which is nowhere" >&2
                missing=1
            fi
        done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\tDLL Name: //p')
    done < <(find "$folder" \( -iname '*.exe' -o -iname '*.dll' \) -print0)
    return "$missing"
}
check "every DLL the installed programs import is there" imports_found

stage "the installed picture tool against the simulator on COM7"
pictures=$bin/pictures
rm -rf "$pictures"
mkdir -p "$pictures"
start_sim 7 "$scratch/sim-capture.log"
status=0
# Drawn with the fonts the Linux pictures are drawn with (on Windows the offscreen platform takes
# its fonts from a folder), so that both pictures of a page can be compared. Wine hands no QT_*
# variable of Linux to Windows programs; WINEQT_X reaches them as QT_X.
WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\dejavu' \
    "$wine" 'C:\Program Files\VoltScope\voltscope_capture.exe' --com 7 \
    "Z:$(realpath "$pictures" | tr / '\\')" >"$scratch/capture.out" 2>"$scratch/capture.err" \
    || status=$?
stop_sim
tr -d '\r' <"$scratch/capture.out" >"$scratch/capture.log"
grep '^status: ' "$scratch/capture.log" | head -3 || true
check "the picture tool exits 0" [ "$status" -eq 0 ]
[ "$status" -eq 0 ] || tail -20 "$scratch/capture.err" >&2
check "it connected and every action got all its replies (\"0 without reply\")" \
    bash -c "grep -q '^status: [0-9]* requests, 0 without reply' '$scratch/capture.log' &&
             ! grep '^status: ' '$scratch/capture.log' | grep -qv ', 0 without reply'"
check "the simulator answered every request of the pictures" \
    all_answered "$scratch/sim-capture.log"
every_picture() {
    local missing=0 name
    for name in main_window page_configuration page_regulator_comm page_metering \
                harmonics_chart page_logs page_diag_pwds_alerts page_maintenance \
                page_pseudo_manual trend_chart compare_window; do
        file "$pictures/$name.png" 2>/dev/null | grep -q 'PNG image data' ||
            { echo "no picture $name.png" >&2; missing=1; }
    done
    return "$missing"
}
check "a picture of every page, the main window, the Harmonics, Trend and Compare windows" \
    every_picture
# The Configuration page on Windows and on Linux (the build's own picture of the same
# simulated panel): the same size, and the same texts in its controls but for the clock's.
linux=build/default/app/view/guide_images
size() { file "$1" | grep -o '[0-9]* x [0-9]*'; }
echo "Configuration page: $(size "$pictures/page_configuration.png") on Windows," \
     "$(size "$linux/page_configuration.png") on Linux"
check "the Configuration page's picture is as large as on Linux" \
    [ "$(size "$pictures/page_configuration.png")" = "$(size "$linux/page_configuration.png")" ]
texts() { tr -d '\r' <"$1" | grep -vE '_(Time|Date)\b'; }
check "its controls show what they show on Linux" \
    diff <(texts "$linux/page_configuration.txt") <(texts "$pictures/page_configuration.txt")

stage "voltscope.exe on the virtual display with Qt's windows platform, connecting to COM7"
# Wine finds its own fonts (Tahoma and the like, package fonts-wine) in the prefix's Fonts
# folder, where Windows keeps them, but not where Debian puts them.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
# Started as its Start menu shortcut starts it, in a folder of its own; the saved settings
# there (COM 7) spare it the box about a missing settings file.
workdir=$scratch/documents
mkdir -p "$workdir"
printf '//VOLTSCOPE 5.0 Connection Settings\r\n,%d,4,1,0' 7 >"$workdir/conset.kzx"
start_sim 7 "$scratch/sim-gui.log"
# (The tests' QT_QPA_PLATFORM=offscreen stays on the Linux side: Qt's windows platform it is.)
(cd "$workdir" && "$wine" 'C:\Program Files\VoltScope\voltscope.exe' >"$scratch/gui.log" 2>&1) &
gui=$!
window=""
for _ in $(seq 240); do
    window=$(xwininfo -root -tree 2>/dev/null |
             sed -n 's/^ *\(0x[0-9a-f]*\) "VOLTSCOPE 5.03".*/\1/p' | head -1)
    [ -n "$window" ] && break
    kill -0 "$gui" 2>/dev/null || break
    sleep 0.5
done
check "the main window \"VOLTSCOPE 5.03\" opened" [ -n "$window" ]
requests() { grep -c '^read ' "$scratch/sim-gui.log" || true; }
if [ -n "$window" ]; then
    sleep 2  # its first paint
    # Enter in the connection box presses Connect; then the download runs until the
    # simulator has heard nothing new for two seconds.
    xdotool windowfocus --sync "$window"
    sleep 0.5
    xdotool key Return
    before=-1
    for _ in $(seq 60); do
        now=$(requests)
        [ "$now" -gt 0 ] && [ "$now" -eq "$before" ] && break
        before=$now
        sleep 2
    done
    echo "Connect: $(requests) requests logged by the simulator"
    check "Connect in the desktop tool read the panel" [ "$(requests)" -gt 0 ]
    check "the simulator answered every request of the desktop tool" \
        all_answered "$scratch/sim-gui.log"
    build/default/tests/wine/voltscope_screen_grab "$window" "$pictures/main_window_windows.png"
    echo "screenshot: $pictures/main_window_windows.png ($(size "$pictures/main_window_windows.png"))"
    check "the desktop tool still runs after its screenshot" kill -0 "$gui"
fi
kill "$gui" 2>/dev/null || true
wait "$gui" 2>/dev/null || true
gui=""
stop_sim
"$wineserver" -k || true
"$wineserver" -w || true

stage "silent uninstall"
"$wine" 'C:\Program Files\VoltScope\Uninstall.exe' /S
"$wineserver" -w
check "the program folder is gone" test ! -e "$folder"
check "the Start menu folder is gone" test ! -e "$menu"
left=$(find "$WINEPREFIX/drive_c" -iname '*voltscope*'; grep -i voltscope "$WINEPREFIX"/*.reg || true)
[ -z "$left" ] || echo "$left" | sed 's/^/left behind: /' >&2
check "nothing of ours is left in the prefix" [ -z "$left" ]

stage "done"
echo "windows: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
exit
}
