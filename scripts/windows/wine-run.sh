#!/usr/bin/env bash
# Runs a Windows program under wine: the crossing emulator of the Windows
# build (build-time tools and tests) and the runner of the Windows checks.
#   scripts/windows/wine-run.sh program.exe [arguments...]
# The wine prefix is NLT_WINEPREFIX, by default a folder of the user's cache;
# wine's prompts to download its .NET and HTML engines are switched off, and
# every run ends after NLT_WINE_TIMEOUT seconds (600 by default), so that an
# error dialog that nobody can answer never hangs a build or a test run.
set -euo pipefail
export WINEPREFIX=${NLT_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/nested-logic-test/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine keeps QT_* variables from Windows programs, and WINEQT_* reach them as
# QT_*. The Qt for Windows has the windows platform only: name it, since the
# tests otherwise ask for the offscreen platform of their Linux runs.
export WINEQT_QPA_PLATFORM=${WINEQT_QPA_PLATFORM:-windows}
# Qt's messages go to stderr also from a program without a console, so that
# the checks see every warning.
export WINEQT_FORCE_STDERR_LOGGING=1
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    mkdir -p "$WINEPREFIX"
    timeout 300 wineboot --init >/dev/null 2>&1 || true
fi
exec timeout --kill-after=10 "${NLT_WINE_TIMEOUT:-600}" wine "$@"
