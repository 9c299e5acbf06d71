#!/usr/bin/env bash
# Photographs the results window, filled with a worked example, at 100 %,
# 150 % and 200 % scale, and the review window, open on a failed question
# with its first likely slip selected, at 100 % and 200 %, under a virtual X
# display; writes docs/form2*.png and docs/review*.png.
#   scripts/screenshot-results.sh [build-dir]   (default: build/default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
docs=$root/docs

for demo in form2_demo review_demo; do
    if [[ ! -x $build/tests/results/$demo ]]; then
        echo "screenshot-results: $build/tests/results/$demo is missing; build the target $demo first." >&2
        exit 1
    fi
done
for tool in xvfb-run import convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "screenshot-results: $tool is missing (packages xvfb, xauth, imagemagick)." >&2
        exit 1
    fi
done
mkdir -p "$docs"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"

# shoot DEMO SCALE OUTPUT: runs a demo at one scale factor and saves the
# screen, trimmed to the window (the screen is black around it: no window manager).
shoot() {
    local demo=$build/tests/results/$1 scale=$2 output=$3
    XDG_RUNTIME_DIR=$runtime QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96" sh -c \
        "'$demo' & pid=\$!; sleep 2; import -window root '$runtime/screen.png'; kill \$pid"
    convert "$runtime/screen.png" -trim +repage "$output"
    echo "screenshot-results: wrote $output"
}

shoot form2_demo 1 "$docs/form2.png"
shoot form2_demo 1.5 "$docs/form2@150.png"
shoot form2_demo 2 "$docs/form2@200.png"
shoot review_demo 1 "$docs/review.png"
shoot review_demo 2 "$docs/review@200.png"
