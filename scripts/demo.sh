#!/usr/bin/env bash
# Builds the tool, starts the panel simulator as a COM port and reads every settings table
# from it with voltscope-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target voltscope-panelsim voltscope-cli

com=${VOLTSCOPE_DEMO_COM:-5}
build/default/sim/voltscope-panelsim --com "$com" --baud 9600 &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null || true' EXIT
sleep 0.5
echo "--- voltscope-cli --com $com --baud 9600 dump (bank,register,value)"
build/default/cli/voltscope-cli --com "$com" --baud 9600 dump
