#!/usr/bin/env bash
# Photographs the review window, open on a failed question with its first
# likely slip selected, under a virtual X display at 100 % and 200 % scale;
# writes docs/review.png and docs/review@200.png.
#   scripts/screenshot-review.sh [build-dir]   (default: build/default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
demo=$build/tests/results/review_demo
docs=$root/docs

if [[ ! -x $demo ]]; then
    echo "screenshot-review: $demo is missing; build the target review_demo first." >&2
    exit 1
fi
for tool in xvfb-run import; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "screenshot-review: $tool is missing (packages xvfb, xauth, imagemagick)." >&2
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
        xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96" sh -c \
        "'$demo' & pid=\$!; sleep 2; import -window root '$runtime/screen.png'; kill \$pid"
    convert "$runtime/screen.png" -trim +repage "$output"
    echo "screenshot-review: wrote $output"
}

shoot 1 "$docs/review.png"
shoot 2 "$docs/review@200.png"
