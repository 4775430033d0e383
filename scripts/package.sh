#!/usr/bin/env bash
# Builds the Debian package of VoltScope from a Release build in build/package (the `package`
# presets) and prints the path of the .deb, the one line on stdout; the build's own output goes
# to stderr. With --check it then unpacks the package and checks what it installs
# (scripts/check-package.sh, also to stderr), and fails if any check does.
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
case ${1:-} in
    '') ;;
    --check) check=1 ;;
    *) echo "usage: scripts/package.sh [--check]" >&2; exit 2 ;;
esac

# dpkg-shlibdeps (dpkg-dev) finds the libraries' packages; CPack picks the programs out with file.
extra=(dpkg-dev file)
[ "$check" = 1 ] && extra+=(desktop-file-utils)
scripts/install-deps.sh "${extra[@]}" >&2

# The preset leaves warnings as warnings: the test builds make them errors, and GCC 12's -O3
# inlining reports a -Wrestrict in std::string's operator+ that is not there.
{
    cmake --preset package >/dev/null
    cmake --build --preset package
    rm -f build/package/voltscope_*.deb
    cpack --preset package
} >&2
debs=(build/package/voltscope_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "package.sh: expected one voltscope_*.deb in build/package" >&2
    exit 1
fi
deb=$(realpath "${debs[0]}")
echo "$deb"
if [ "$check" = 1 ]; then
    scripts/check-package.sh "$deb" >&2
fi
