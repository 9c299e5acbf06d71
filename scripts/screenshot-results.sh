#!/usr/bin/env bash
# Photographs the results window, filled with a worked example, at 100 %,
# 150 % and 200 % scale; the review window of a run that a person reading
# Nand as And failed, with what went wrong (its first cause selected), with
# More open, in Find My Mistake, at its end, and at the end of a short run
# ended by a one-off slip, at 100 % and 200 %; the main window offering
# "Review Last Question" after a run without results; and the practice window
# at a question, a wrong answer and its end, at 100 % and 200 %; all under a
# virtual X display. Writes docs/form2*.png, docs/review*.png,
# docs/practice*.png and docs/form1-review-last.png.
#   scripts/screenshot-results.sh [build-dir]   (default: build/default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
docs=$root/docs

for demo in form2_demo review_demo practice_demo; do
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

# shoot DEMO SCALE OUTPUT [STAGE]: runs a demo at one scale factor (on the
# stage given) and saves the screen, trimmed to the window (the screen is
# black around it: no window manager), in 256 colours to keep it small.
shoot() {
    local demo=$build/tests/results/$1 scale=$2 output=$3 stage=${4:-}
    XDG_RUNTIME_DIR=$runtime QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1600x1300x24 -dpi 96" sh -c \
        "'$demo' $stage & pid=\$!; sleep 3; import -window root '$runtime/screen.png'; kill \$pid"
    convert "$runtime/screen.png" -trim +repage -colors 256 "$output"
    echo "screenshot-results: wrote $output"
}

shoot form2_demo 1 "$docs/form2.png"
shoot form2_demo 1.5 "$docs/form2@150.png"
shoot form2_demo 2 "$docs/form2@200.png"
shoot form2_demo 1 "$docs/form1-review-last.png" thrown-away
for stage in causes more asking found oneoff; do
    shoot review_demo 1 "$docs/review-$stage.png" "$stage"
    shoot review_demo 2 "$docs/review-$stage@200.png" "$stage"
done
for stage in question wrong end; do
    shoot practice_demo 1 "$docs/practice-$stage.png" "$stage"
    shoot practice_demo 2 "$docs/practice-$stage@200.png" "$stage"
done
