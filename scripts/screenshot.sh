#!/bin/sh
# Starts the built program under a virtual X display and saves pictures of
# its main window at 100 %, 150 % and 200 % scale into docs/.
# Usage: scripts/screenshot.sh [build-dir]   (default build/default; builds nothing)
# Needs xvfb, xauth and ImageMagick.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
program=$build/bin/nested-logic-test
[ -x "$program" ] || { echo "screenshot.sh: $program not found; build it first" >&2; exit 1; }
mkdir -p "$root/docs"

# shot SCALE OUTPUT: one picture of the program's window at that scale.
shot() {
    scale=$1
    out=$2
    runtime=$(mktemp -d)
    chmod 700 "$runtime"
    XDG_RUNTIME_DIR=$runtime QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1600x1200x24" sh -c '
            "$1" & pid=$!
            sleep 2.5
            id=$(xwininfo -root -tree | awk "/Nested Logic Test/ { print \$1; exit }")
            if [ -n "$id" ]; then import -window "$id" "$2"; else import -window root "$2"; fi
            kill $pid' sh "$program" "$out"
    rm -rf "$runtime"
    echo "wrote $out"
}

shot 1 "$root/docs/form1.png"
shot 1.5 "$root/docs/form1@150.png"
shot 2 "$root/docs/form1@200.png"
