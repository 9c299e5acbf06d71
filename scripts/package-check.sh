#!/usr/bin/env bash
# Builds the Debian package from the ci build, installs it, starts the
# installed program under Xvfb, checks that its window appears, and removes
# the package again. Needs root or sudo (it installs a package).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --tests
if [[ ! -f build/ci/CMakeCache.txt ]]; then
    cmake --preset ci
fi
cmake --build --preset ci -j "$(nproc)"
rm -f build/ci/nested-logic-test_*.deb
cpack --preset deb

deb=$(ls build/ci/nested-logic-test_*.deb)
echo "package-check: built $deb"

contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/nested-logic-test \
            ./usr/libexec/nested-logic-test/nested-logic-test \
            "./usr/libexec/nested-logic-test/help - zentrix.chm" \
            ./usr/share/applications/nested-logic-test.desktop \
            ./usr/share/icons/hicolor/48x48/apps/nested-logic-test.png; do
    if ! grep -qF -- "$path" <<<"$contents"; then
        echo "package-check: error: the package lacks $path" >&2
        exit 1
    fi
done

if [[ $(id -u) -eq 0 ]]; then as_root=(); else as_root=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get install -y -qq "./$deb"
trap '"${as_root[@]}" apt-get remove -y -qq nested-logic-test >/dev/null || true' EXIT

runtime=$(mktemp -d)
chmod 700 "$runtime"
windows=$(mktemp)
# Start the installed program through its link in bin/, wait for the main
# window, then press F1: the help window proves the help file was found
# beside the program.
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    nested-logic-test & pid=$!
    for attempt in 1 2 3 4 5 6 7 8 9 10; do
        sleep 1
        xwininfo -root -tree > "$1"
        grep -q "Nested Logic Test Level: 0" "$1" && break
    done
    xdotool search --name "Nested Logic Test Level: 0" windowfocus --sync key F1 || true
    for attempt in 1 2 3 4 5; do
        sleep 1
        xwininfo -root -tree > "$2"
        grep -q "Nested Logic Test Help" "$2" && break
    done
    kill $pid' sh "$windows" "$windows.help"

if grep -q '"Zentrix Raw Processing Power Tertiary Nested Logic Test Level: 0"' "$windows"; then
    echo "package-check: the installed program opened its main window."
else
    echo "package-check: error: the installed program's window did not appear." >&2
    cat "$windows" >&2
    exit 1
fi
# The help window, not the smaller message that reports an unreadable file.
help_width=$(grep '"Nested Logic Test Help"' "$windows.help" | grep -o '[0-9]*x[0-9]*+' | head -n 1 | cut -dx -f1)
if [[ ${help_width:-0} -ge 600 ]]; then
    echo "package-check: F1 opened the installed help file."
else
    echo "package-check: error: F1 did not open the help window of the installed program." >&2
    cat "$windows.help" >&2
    exit 1
fi
rm -rf "$runtime" "$windows" "$windows.help"
