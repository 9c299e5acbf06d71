#!/usr/bin/env bash
# Photographs the results window, filled with a worked example, under a
# virtual X display at 100 %, 150 % and 200 % scale; writes docs/form2*.png.
#   scripts/screenshot-results.sh [build-dir]   (default: build/default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
demo=$build/tests/results/form2_demo
docs=$root/docs

if [[ ! -x $demo ]]; then
    echo "screenshot-results: $demo is missing; build the target form2_demo first." >&2
    exit 1
fi
for tool in xvfb-run import; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "screenshot-results: $tool is missing (packages xvfb, xauth, imagemagick)." >&2
        exit 1
    fi
done
mkdir -p "$docs"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"

# shoot SCALE OUTPUT: runs the demo at one scale factor and saves the screen,
# trimmed to the window (the screen is black around it: no window manager).
shoot() {
    local scale=$1 output=$2
    XDG_RUNTIME_DIR=$runtime QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" sh -c \
        "'$demo' & pid=\$!; sleep 2; import -window root '$runtime/screen.png'; kill \$pid"
    convert "$runtime/screen.png" -trim +repage "$output"
    echo "screenshot-results: wrote $output"
}

shoot 1 "$docs/form2.png"
shoot 1.5 "$docs/form2@150.png"
shoot 2 "$docs/form2@200.png"
