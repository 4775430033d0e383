#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing, and the
# packages named as arguments. NO_RECOMMENDS=1 leaves out what the missing ones recommend.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libcli11-dev qt6-base-dev fonts-dejavu-core)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
recommends=()
[ "${NO_RECOMMENDS:-}" = 1 ] && recommends=(--no-install-recommends)
$sudo apt-get install -y -qq "${recommends[@]}" "${missing[@]}"
