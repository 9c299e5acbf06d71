#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default
cmake --build --preset default --target nested-logic-test -j "$(nproc)"

program=build/default/bin/nested-logic-test
if [[ ! -x $program ]]; then
    echo "run: the build finished but $program is missing." >&2
    exit 1
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "run: built $program, but there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)."
    echo "run: start it from a desktop session, or run it under xvfb-run."
    exit 1
fi
exec "$program"
