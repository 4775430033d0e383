#!/usr/bin/env bash
# Builds Qt (qtbase: Core, Gui, Widgets and the platform plugins) for 64-bit Windows with
# Debian's MinGW-w64, from Debian's own source of the host's Qt, and installs it into a cache
# folder outside the tree that the windows-cross preset finds:
#   ${XDG_CACHE_HOME:-~/.cache}/voltscope/qt-VERSION-mingw64-HASH   (HASH: of the options below)
#   ${XDG_CACHE_HOME:-~/.cache}/voltscope/qt-mingw64   a link to the one built or found last
# Does nothing when that prefix is there: it appears only complete (installed into a
# temporary folder, renamed at the end). About 30 minutes on 2 cores the first time.
#   scripts/build-qt-windows.sh            build unless built
#   scripts/build-qt-windows.sh --prefix   print the prefix for these options, build nothing
set -euo pipefail
cd "$(dirname "$0")/.."
# Read whole before it runs: checking out or editing this file meanwhile changes nothing here.
{
source_dir=$PWD

mode=build
case ${1:-} in
    '') ;;
    --prefix) mode=prefix ;;
    *) echo "usage: scripts/build-qt-windows.sh [--prefix]" >&2; exit 2 ;;
esac

# The host's Qt and the compiler first: their versions are part of the prefix's name.
if [ "$mode" = build ]; then
    NO_RECOMMENDS=1 scripts/install-deps.sh g++-mingw-w64-x86-64 dpkg-dev xz-utils
fi
# The host's Qt supplies the build tools (moc, uic, rcc) of the cross build, so the Windows Qt
# must be the same version: its Debian source package, as the host's packages were built from.
host_qt=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
qt_version=${host_qt%%+*}  # 6.4.2+dfsg-10 -> 6.4.2
toolchain=$source_dir/cmake/mingw-w64-compilers.cmake

options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    # The modules the tool does not use.
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_testlib=OFF -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    # Pictures are PNG (built into QtGui); no image format plugins needed.
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
    # Debian's source leaves out the tablet header wintab.h.
    -DFEATURE_tabletevent=OFF
    # The third-party libraries as Qt bundles them: Debian has no MinGW builds of them.
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF
    # The Windows platform plugin needs OpenGL (dynamic, Qt's default there); left as it is.
)

cache=${XDG_CACHE_HOME:-$HOME/.cache}/voltscope
compiler=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix 2>/dev/null || true)
hash=$({ printf '%s\n' "$host_qt" "$compiler" "${options[@]}"; cat "$toolchain"; } |
       sha256sum | cut -c1-12)
name=qt-$qt_version-mingw64
link=qt-mingw64  # the name the windows-cross preset looks for
prefix=$cache/$name-$hash

if [ "$mode" = prefix ]; then
    echo "$prefix"
    exit 0
fi

complete() { [ -x "$1/bin/qt-cmake" ] && [ -f "$1/bin/Qt6Widgets.dll" ]; }
link_prefix() {  # the stable name, replaced in one rename
    ln -sfn "$(basename "$prefix")" "$cache/$link.new-$$"
    mv -T "$cache/$link.new-$$" "$cache/$link"
}
if complete "$prefix"; then
    link_prefix
    echo "Qt $qt_version for Windows: $prefix (built before)"
    exit 0
fi

mkdir -p "$cache"
# Another worktree's run building the same Qt: wait for it, then use what it made.
exec 9>"$cache/$name-$hash.lock"
if ! flock -n 9; then
    echo "waiting for another build of $prefix"
    flock 9
    if complete "$prefix"; then
        link_prefix
        echo "Qt $qt_version for Windows: $prefix (built meanwhile)"
        exit 0
    fi
fi

work=$cache/$name-$hash.build  # kept after a failure, so a second run resumes the build
staging=$cache/$name-$hash.installing
step=""
started=$SECONDS
stage() {
    step=$1
    echo "=== Qt for Windows: $step (at $((SECONDS - started)) s)"
}
on_exit() {
    local status=$?
    rm -rf "$staging"
    if [ "$status" -ne 0 ]; then
        echo "build-qt-windows.sh: the step \"$step\" failed (exit $status) after" \
             "$((SECONDS - started)) s; nothing was installed in $prefix" >&2
        [ -n "${log:-}" ] && [ -f "$log" ] && { echo "--- the end of $log:" >&2; tail -40 "$log" >&2; }
    fi
}
trap on_exit EXIT

# run_logged LOG COMMAND...: the command's output goes to LOG; a line of progress each minute.
run_logged() {
    log=$1
    shift
    "$@" >"$log" 2>&1 &
    local pid=$! ticks=0
    while kill -0 "$pid" 2>/dev/null; do
        sleep 5
        ticks=$((ticks + 1))
        if [ $((ticks % 12)) -eq 0 ]; then
            local done_of
            done_of=$(grep -o '^\[[0-9]*/[0-9]*\]' "$log" | tail -1 || true)
            echo "    $step: $((SECONDS - started)) s ${done_of:+$done_of}"
        fi
    done
    wait "$pid"
}

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

stage "source qt6-base $host_qt (deb-src)"
# A deb-src entry for the suite the host's Qt came from, signed by the same keys as its deb
# entry, so apt checks the download against the archive's signed index.
if ! apt-cache showsrc "qt6-base=$host_qt" 2>/dev/null | grep -q '^Package: qt6-base'; then
    read -r uri dist < <(apt-cache policy qt6-base-dev |
        awk '/^ \*\*\* /{mine=1; next} mine && $2 ~ /:\/\// {print $2, $3; exit}')
    if [ -z "${uri:-}" ]; then
        echo "apt does not know where the host's qt6-base-dev came from" >&2
        exit 1
    fi
    suite=${dist%%/*}
    component=${dist#*/}
    signed_by=$(awk -v uri="$uri" '
        /^$/ {match_uri = 0; key = ""}
        /^URIs:/ {for (i = 2; i <= NF; i++) if ($i == uri) match_uri = 1}
        /^Signed-By:/ {key = $2}
        match_uri && key != "" {print key; exit}' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
    entry=/etc/apt/sources.list.d/voltscope-qt-source.sources
    echo "adding $entry: deb-src $uri $suite $component"
    {
        echo "Types: deb-src"
        echo "URIs: $uri"
        echo "Suites: $suite"
        echo "Components: $component"
        [ -n "$signed_by" ] && echo "Signed-By: $signed_by"
    } | $sudo tee "$entry" >/dev/null
    $sudo apt-get update -qq
fi
downloads=$cache/sources/qt6-base-$host_qt
mkdir -p "$downloads"
# apt fetches as its own unprivileged user when it may write there.
chmod 755 "$cache" "$cache/sources" "$downloads" 2>/dev/null || true
(cd "$downloads" && apt-get source --download-only -qq "qt6-base=$host_qt")
dsc=$(ls "$downloads"/qt6-base_*.dsc)
echo "    verified by apt: $(cd "$downloads" && ls | tr '\n' ' ')"

mkdir -p "$work"
src=$work/qtbase
if [ ! -f "$src/.unpacked" ]; then
    stage "unpack"
    rm -rf "$src"
    run_logged "$work/unpack.log" dpkg-source -x "$dsc" "$src"
    touch "$src/.unpacked"
fi

stage "configure"
# Qt's installed qt-cmake loads the toolchain it was built with: a copy that outlives the tree.
mkdir -p "$cache/toolchains"
kept_toolchain=$cache/toolchains/mingw-w64-compilers-$hash.cmake
cp "$toolchain" "$kept_toolchain"
run_logged "$work/configure.log" \
    cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$kept_toolchain" \
          -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}"

stage "build ($(nproc) jobs)"
run_logged "$work/build.log" cmake --build "$work/build" --parallel "$(nproc)"

stage "install"
rm -rf "$staging"
run_logged "$work/install.log" cmake --install "$work/build" --prefix "$staging"
complete "$staging" || { echo "the installed Qt lacks qt-cmake or Qt6Widgets.dll" >&2; exit 1; }
mv -T "$staging" "$prefix"
link_prefix
log=""
rm -rf "$work"
echo "Qt $qt_version for Windows: $prefix ($(du -sh "$prefix" | cut -f1)," \
     "built in $((SECONDS - started)) s)"
exit
}
