#!/usr/bin/env bash
# Photographs the times of a run and This Sitting after five timed runs (the
# demo sitting_demo), at 100 % and 200 %, under a virtual X display with a
# window manager: the results window with its time lines, its review with the
# times of every question, and the sitting window. Writes docs/times-*.png.
#   scripts/screenshot-times.sh [build-dir]   (default: build/default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
demo=$build/tests/results/sitting_demo
if [[ ! -x $demo ]]; then
    echo "screenshot-times: $demo is missing; build the target sitting_demo first." >&2
    exit 1
fi
for tool in xvfb-run openbox import convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "screenshot-times: $tool is missing (packages xvfb, xauth, openbox, imagemagick)." >&2
        exit 1
    fi
done
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"

# shoot STAGE SCALE OUTPUT: the demo at one stage and scale, the screen trimmed to the windows.
shoot() {
    XDG_RUNTIME_DIR=$runtime QT_SCALE_FACTOR=$2 QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 2000x1600x24 -dpi 96" sh -c \
        "openbox & sleep 1; '$demo' $1 & pid=\$!; sleep 4; import -window root '$runtime/screen.png'; kill \$pid"
    convert "$runtime/screen.png" -trim +repage -colors 256 "$3"
    echo "screenshot-times: wrote $3"
}

for stage in results review sitting; do
    shoot "$stage" 1 "$root/docs/times-$stage.png"
    shoot "$stage" 2 "$root/docs/times-$stage@200.png"
done
