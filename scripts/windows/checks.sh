#!/usr/bin/env bash
# The Windows checks, run under wine in a virtual display (scripts/windows.sh
# starts it with xvfb-run) with openbox as the window manager:
#   1. the test suite of build/windows through ctest, and in it by name the
#      test that every character of the windows' font draws;
#   2. the real program driven like a user with xdotool: the first window and
#      its title, a shut-down refused, Help starting hh.exe on the help file
#      beside the program, answers by click and by key up to the results
#      window, a shut-down refused there too, the review window, "Sit Another
#      Test", and the close box ending the program;
#   3. the installer, installed silently, its program started and closed the
#      way the task manager closes it, then uninstalled;
#   4. the portable zip, unpacked and its program started and closed.
#   scripts/windows/checks.sh [--screenshots DIR]
# With --screenshots it also saves the main, results, review and help windows.
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
build=$repo/build/windows
wine_run=$repo/scripts/windows/wine-run.sh
shots=
if [[ ${1:-} == --screenshots ]]; then
    shots=$(realpath -m "$2")
    mkdir -p "$shots"
fi

export NLT_WINEPREFIX=${NLT_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/nested-logic-test/wine}
export WINEPREFIX=$NLT_WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
logs=$build/checks
rm -rf "$logs"
mkdir -p "$logs"

openbox >"$logs/openbox.log" 2>&1 &
openbox_pid=$!
cleanup() {
    kill "$openbox_pid" 2>/dev/null || true
    timeout 30 wineserver -k 2>/dev/null || true
}
trap cleanup EXIT
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    mkdir -p "$WINEPREFIX"
    timeout 300 wineboot --init >/dev/null 2>&1 || true
fi

failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# check NAME COMMAND...: runs COMMAND and reports NAME as passed or failed.
check() {
    local name=$1
    shift
    if "$@"; then pass "$name"; else fail "$name"; fi
}

# The id of a window whose title matches the pattern, waiting up to $2 seconds.
wait_window() {
    local pattern=$1 deadline=$((SECONDS + ${2:-30})) id
    while ((SECONDS < deadline)); do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
        if [[ -n $id ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.3
    done
    return 1
}
# Waits up to $2 seconds until no visible window's title matches the pattern.
wait_no_window() {
    local deadline=$((SECONDS + ${2:-15}))
    while ((SECONDS < deadline)); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.3
    done
    return 1
}
# Waits up to $2 seconds for the process to end; fails if it does not.
wait_exit() {
    local deadline=$((SECONDS + ${2:-20}))
    while ((SECONDS < deadline)); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.3
    done
    return 1
}
# Makes the window active, as a click on it would.
activate() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"
    sleep 0.3
}
# Clicks the point x,y of a window's client area.
click() {
    activate "$1"
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.3
}
# Presses keys in a window.
keys() {
    local window=$1
    shift
    activate "$window"
    xdotool key "$@"
    sleep 0.3
}
# Saves the window with its frame as $shots/$2.png, at most 800 pixels wide.
shot() {
    [[ -n $shots ]] || return 0
    sleep 0.5
    import -frame -window "$1" -resize '800x>' -strip "$shots/$2.png"
}
# Starts a Windows program under wine and sets program_pid.
start_program() {
    NLT_WINE_TIMEOUT=600 "$wine_run" "$1" >"$logs/$2.log" 2>&1 &
    program_pid=$!
}
# Whether the program's log (stderr) holds nothing but the two warnings that
# wine 8 itself causes in every Qt program: it rejects per-monitor DPI
# awareness version 2 as an invalid parameter (Windows 10 and 11 know it, and
# with the manifest Qt keeps quiet there), and it does not implement
# EnableNonClientDpiScaling, which Qt calls when version 2 is missing.
quiet_log() {
    ! grep -v -e '^qt.qpa.windows: SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) failed: COM error 0x57 ' \
        -e '^EnableNonClientDpiScaling() failed for HWND .* (Call not implemented.)' "$logs/$1.log"
}
# Ends the program started last if it still runs.
stop_program() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
}
# Whether a shut-down of the wine session leaves the process running; wine
# sends every window the end-of-session query and WM_ENDSESSION.
session_end_refused() {
    timeout 120 wineboot --end-session >>"$logs/wineboot.log" 2>&1 || true
    sleep 1
    kill -0 "$1" 2>/dev/null && wait_window "$2" 5 >/dev/null
}

main_title='^Zentrix Raw Processing Power (Tertiary|Binary) Nested Logic Test Level: [0-9]+$'
results_title='^Nested Logic Test Results:- Level [0-9]+ Tertiary Logic Achieved$'
review_title='^Review of Your Question$'
help_title='^Nested Logic Test Help$'
# Centres of the controls in the windows' client areas, in pixels.
help_button=(168 160) true_button=(376 160) false_button=(480 160) binary_option=(60 168)
sit_another_test=(68 76)

# Answers in the Binary test, alternately by click and by key, until the
# results window opens; a wrong answer may first give a fresh main window.
answer_until_results() {
    local answers=0 window title next
    while ((answers < 80)); do
        if xdotool search --onlyvisible --name "$results_title" >/dev/null 2>&1; then
            echo "answers given: $answers"
            return 0
        fi
        window=$(wait_window "$main_title" 20) || return 1
        title=$(xdotool getwindowname "$window")
        if [[ $title == *Tertiary* ]]; then
            click "$window" "${binary_option[@]}"
            title=$(xdotool getwindowname "$window")
        fi
        if ((answers % 2 == 0)); then
            click "$window" "${true_button[@]}"
        else
            keys "$window" 2
        fi
        answers=$((answers + 1))
        # The answer shows as a new title, a fresh main window or the results.
        for _ in $(seq 1 60); do
            next=$(xdotool search --onlyvisible --name "$main_title" 2>/dev/null | head -n 1 || true)
            if xdotool search --onlyvisible --name "$results_title" >/dev/null 2>&1 \
                || [[ -n $next && $next != "$window" ]] \
                || [[ -n $next && $(xdotool getwindowname "$next") != "$title" ]]; then
                break
            fi
            sleep 0.3
        done
    done
    return 1
}

# Whether hh.exe runs on the help file in the given Windows folder.
help_viewer_started() {
    local expected="$1\\help - zentrix.chm"
    pgrep -af 'hh\.exe' | grep -qiF "$expected"
}

check_program() {
    local exe=$build/bin/nested-logic-test.exe window help results review folder
    folder=$(winepath -w "$build/bin" 2>/dev/null)
    start_program "$exe" program
    check "program: first window titled at level 0" \
        eval 'window=$(wait_window "^Zentrix Raw Processing Power Tertiary Nested Logic Test Level: 0$" 60)'
    [[ -n ${window:-} ]] || { stop_program; return 0; }
    shot "$window" main-window
    check "program: a shut-down is refused by the main window" session_end_refused "$program_pid" "$main_title"
    window=$(wait_window "$main_title" 10)
    click "$window" "${help_button[@]}"
    # hh.exe starts minimised: its window is looked for among the hidden ones too.
    check "program: Help opens the hh.exe help window" \
        eval 'help=$(timeout 30 xdotool search --sync --name "$help_title" | head -n 1)'
    check "program: hh.exe was started on the help file beside the program" help_viewer_started "$folder"
    if [[ -n ${help:-} ]]; then
        activate "$help"
        sleep 2
        # Open the book of the contents tree, then look at the window.
        keys "$help" Home Right
        shot "$help" help-window
        keys "$help" alt+F4
        check "program: the help window closes" wait_no_window "$help_title"
    fi
    check "program: answers by click and key reach the results window" answer_until_results
    results=$(wait_window "$results_title" 10 || true)
    [[ -n $results ]] || { stop_program; return 0; }
    shot "$results" results-window
    check "program: a shut-down is refused by the results window" session_end_refused "$program_pid" "$results_title"
    results=$(wait_window "$results_title" 10)
    keys "$results" alt+r
    check "program: Review Question opens the review window" eval 'review=$(wait_window "$review_title" 20)'
    if [[ -n ${review:-} ]]; then
        shot "$review" review-window
        keys "$review" Escape
        check "program: Escape closes the review window" wait_no_window "$review_title"
    fi
    click "$results" "${sit_another_test[@]}"
    check "program: Sit Another Test gives a fresh main window at level 0" \
        eval 'window=$(wait_window "^Zentrix Raw Processing Power Tertiary Nested Logic Test Level: 0$" 20)'
    check "program: Sit Another Test closes the results window" wait_no_window "$results_title"
    keys "$window" alt+F4
    check "program: the close box ends the program" wait_exit "$program_pid"
    stop_program
    check "program: no Qt warning" quiet_log program
}

check_installer() {
    local installer target="$WINEPREFIX/drive_c/Program Files/Nested Logic Test" window
    installer=$(ls "$build"/nested-logic-test-*-win64.exe)
    rm -rf "$target"
    check "installer: silent installation ends" \
        env NLT_WINE_TIMEOUT=300 "$wine_run" "$installer" /S
    check "installer: program and help file in Program Files\\Nested Logic Test" \
        test -f "$target/nested-logic-test.exe" -a -f "$target/help - zentrix.chm" -a -f "$target/Uninstall.exe"
    check "installer: Start-menu entry" \
        test -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Nested Logic Test/Nested Logic Test.lnk"
    start_program "$target/nested-logic-test.exe" installed
    check "installer: the installed program shows its window" eval 'window=$(wait_window "$main_title" 60)'
    # The task manager's "End task" asks the windows to close, as taskkill does.
    NLT_WINE_TIMEOUT=60 "$wine_run" taskkill /im nested-logic-test.exe >>"$logs/taskkill.log" 2>&1 || true
    check "installer: closing by the task manager ends the program" wait_exit "$program_pid"
    stop_program
    check "installer: no Qt warning" quiet_log installed
    NLT_WINE_TIMEOUT=120 "$wine_run" "$target/Uninstall.exe" /S >>"$logs/uninstall.log" 2>&1 || true
    local deadline=$((SECONDS + 60))
    while [[ -e $target/nested-logic-test.exe ]] && ((SECONDS < deadline)); do sleep 0.5; done
    check "installer: the uninstaller removes the program" test ! -e "$target/nested-logic-test.exe"
}

check_zip() {
    local zip folder window
    zip=$(ls "$build"/nested-logic-test-*-win64.zip)
    folder=$logs/portable
    mkdir -p "$folder"
    unzip -q "$zip" -d "$folder"
    check "zip: one folder holding the program and its help file" \
        eval 'test -f "$folder"/*/nested-logic-test.exe -a -f "$folder"/*/"help - zentrix.chm"'
    start_program "$(ls "$folder"/*/nested-logic-test.exe)" portable
    check "zip: the unpacked program shows its window" eval 'window=$(wait_window "$main_title" 60)'
    if [[ -n ${window:-} ]]; then
        keys "$window" alt+F4
    fi
    check "zip: the close box ends the program" wait_exit "$program_pid"
    stop_program
    check "zip: no Qt warning" quiet_log portable
}

echo "== the test suite under wine"
if (cd "$repo" && ctest --preset windows 2>&1 | tee "$logs/ctest.log"); then
    pass "ctest: $(grep -o '[0-9]*% tests passed.*' "$logs/ctest.log" | head -n 1)"
else
    fail "ctest (see $logs/ctest.log)"
fi
# Wine's GDI once drew the capital I of the windows' font nowhere; this test
# draws every character of that font at the windows' sizes and reads the ink back.
check "fonts: every character of the windows' font draws under wine" \
    grep -qE 'ProgramFont\.EveryCharacterOfTheWindowsFontDrawsInOutline \.+ +Passed' "$logs/ctest.log"
echo "== the program"
check_program
echo "== the installer"
check_installer
echo "== the portable zip"
check_zip

if ((failures > 0)); then
    echo "checks: $failures failed"
    exit 1
fi
echo "checks: all passed"
