#!/usr/bin/env bash
# Checks a built VoltScope package: unpacks it with `dpkg -x` into a scratch root and runs what
# it installed from there. Prints one line per check and "N passed, N failed"; fails if any did.
set -uo pipefail
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: scripts/check-package.sh VOLTSCOPE.deb" >&2
    exit 2
fi
deb=$(realpath "$1")
source_dir=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
work=$scratch/work
mkdir -p "$root" "$work"

passed=0
failed=0
check() {
    local what=$1
    shift
    if "$@" >"$scratch/out" 2>&1; then
        echo "ok      $what"
        passed=$((passed + 1))
    else
        echo "FAILED  $what"
        sed 's/^/        /' "$scratch/out" | head -n 30
        failed=$((failed + 1))
    fi
}

depends_on() {
    local depends
    depends=$(dpkg-deb --field "$deb" Depends)
    echo "Depends: $depends"
    for package in "$@"; do
        grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || { echo "missing $package"; return 1; }
    done
}

cli_help() {
    "$root/usr/bin/voltscope-cli" --help >"$scratch/help" || return 1
    cat "$scratch/help"
    grep -q 'config-save' "$scratch/help"
}

cli_checks_a_file() {
    "$root/usr/bin/voltscope-cli" config-check "$source_dir/fuzz/corpus/config_file/numbered.kz0"
}

libraries_resolve() {
    local program status=0
    for program in usr/bin/voltscope-cli usr/bin/voltscope-panelsim usr/lib/voltscope/voltscope; do
        if ldd "$root/$program" | grep 'not found'; then
            echo "in $program"
            status=1
        fi
    done
    return $status
}

# The About box opens its documents from the folder of the program that runs, which Qt finds by
# resolving the link the user started.
documents_beside_program() {
    local link=$root/usr/bin/voltscope program
    [ -L "$link" ] || { echo "usr/bin/voltscope is not a link"; return 1; }
    program=$(realpath "$link")
    [ "$program" = "$root/usr/lib/voltscope/voltscope" ] || { echo "leads to $program"; return 1; }
    [ -x "$program" ] || return 1
    head -c 5 "$(dirname "$program")/VoltScope5_UG.pdf" | grep -q '^%PDF-' || return 1
    cmp "$(dirname "$program")/Ver_Info.txt" "$source_dir/docs/Ver_Info.txt"
}

desktop_file_valid() {
    desktop-file-validate "$root/usr/share/applications/voltscope.desktop"
}

desktop_file_names_what_is_installed() {
    local desktop=$root/usr/share/applications/voltscope.desktop exec icon png size found=0
    exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ -x "$root/usr/bin/$exec" ] || { echo "Exec=$exec is not in usr/bin"; return 1; }
    for png in "$root"/usr/share/icons/hicolor/*/apps/"$icon".png; do
        [ -f "$png" ] || continue
        size=$(basename "$(dirname "$(dirname "$png")")")
        # The PNG header holds width and height as big-endian words at bytes 16 and 20.
        read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
            awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
        [ "${width}x${height}" = "$size" ] || { echo "$png is ${width}x${height}"; return 1; }
        found=$((found + 1))
    done
    [ "$found" -gt 0 ] && [ -f "$root/usr/share/icons/hicolor/48x48/apps/$icon.png" ]
}

# Without a display the tool starts on Qt's offscreen platform; it must still be running when
# `timeout` stops it (exit 124), not have ended on its own.
desktop_tool_starts() {
    local status
    (cd "$work" && QT_QPA_PLATFORM=offscreen timeout 10 "$root/usr/bin/voltscope")
    status=$?
    echo "exit $status"
    [ "$status" -eq 124 ]
}

echo "=== checking $(basename "$deb")"
check "depends on the Qt 6 runtime" depends_on libqt6widgets6 libqt6gui6 libqt6core6
check "unpacks with dpkg -x" dpkg -x "$deb" "$root"
check "voltscope-cli --help" cli_help
check "voltscope-cli config-check reads a configuration file" cli_checks_a_file
check "voltscope-panelsim --help" "$root/usr/bin/voltscope-panelsim" --help
check "every library the programs need is found" libraries_resolve
check "user guide and version notes beside the desktop tool" documents_beside_program
check "desktop-file-validate" desktop_file_valid
check "the desktop file's program and icon are installed" desktop_file_names_what_is_installed
check "the desktop tool starts" desktop_tool_starts
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
