#!/usr/bin/env bash
# Builds VoltScope, starts the simulated panel linked as COM 5, preselects COM 05 through
# conset.kzx in a scratch working directory, and starts the desktop tool against it.
#
#   scripts/run-gui.sh            # build/gui, simulator as COM 5
#   COM=7 scripts/run-gui.sh      # another COM number
#   LINK=2 scripts/run-gui.sh     # the panel's link register 11/239 (0, 1 or 2; default 1)
#
# Without a display the tool cannot show its window; the script says so and how to run it
# offscreen or under xvfb-run.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$here/build/gui}"
com="${COM:-5}"
link="${LINK:-1}"

"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVOLTSCOPE_BUILD_BENCH=OFF -DVOLTSCOPE_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" voltscope voltscope-panelsim

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && "${QT_QPA_PLATFORM:-}" != offscreen ]]; then
    echo "No display found (DISPLAY and WAYLAND_DISPLAY are empty)." >&2
    echo "Run it under a virtual X server:  xvfb-run -a $0" >&2
    echo "or without any window system:     QT_QPA_PLATFORM=offscreen $0" >&2
    exit 1
fi

workdir="${WORK_DIR:-$build/run}"
mkdir -p "$workdir"
printf '//VOLTSCOPE 5.0 Connection Settings\r\n,%d,4,1,0' "$com" >"$workdir/conset.kzx"

"$build/sim/voltscope-panelsim" --com "$com" --link "$link" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT
# The simulator links its COM port as soon as it runs; give it a moment.
for _ in $(seq 50); do
    [[ -L "${XDG_CONFIG_HOME:-$HOME/.config}/voltscope/ports/com$com" ]] && break
    sleep 0.1
done

echo "Simulated panel on COM $com; COMM PORT $(printf '%02d' "$com") is preselected. Press Connect."
cd "$workdir"
"$build/app/view/voltscope"
