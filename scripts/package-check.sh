#!/usr/bin/env bash
# Builds the Debian package from the ci build and checks it as a distribution
# would: lintian, appstreamcli and desktop-file-validate must report no error
# or warning, and the manual page must render. Then it installs the package,
# starts the installed program under Xvfb, checks that its window appears and
# that F1 opens the help, and removes the package again. Needs root or sudo
# (it installs a package).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --tests --package
if [[ ! -f build/ci/CMakeCache.txt ]]; then
    cmake --preset ci
fi
cmake --build --preset ci -j "$(nproc)"
rm -f build/ci/nested-logic-test_*.deb
cpack --preset deb

deb=$(ls build/ci/nested-logic-test_*.deb)
echo "package-check: built $deb"

fail() {
    echo "package-check: error: $*" >&2
    exit 1
}

app_id=com.zentrix.NestedLogicTest
desktop_entry=usr/share/applications/$app_id.desktop
metainfo=usr/share/metainfo/$app_id.metainfo.xml
manual_page=usr/share/man/man1/nested-logic-test.1.gz

contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/nested-logic-test \
            ./usr/libexec/nested-logic-test/nested-logic-test \
            "./usr/libexec/nested-logic-test/help - zentrix.chm" \
            "./$desktop_entry" "./$metainfo" "./$manual_page" \
            ./usr/share/doc/nested-logic-test/copyright \
            ./usr/share/doc/nested-logic-test/changelog.gz \
            ./usr/share/icons/hicolor/48x48/apps/nested-logic-test.png; do
    grep -qF -- "$path" <<<"$contents" || fail "the package lacks $path"
done

# lintian: no error or warning (information and pedantic notes may stay).
# Its own remark on running as root goes to stderr and is not a tag.
echo "package-check: lintian $deb"
lintian_output=$(lintian --tag-display-limit 0 --display-info --fail-on none "$deb") ||
    fail "lintian could not check the package"
[[ -z $lintian_output ]] || printf '%s\n' "$lintian_output"
if grep -q '^[EW]:' <<<"$lintian_output"; then
    fail "lintian reports errors or warnings"
fi

# The files as they ship, unpacked without installing the package.
unpacked=$(mktemp -d)
dpkg-deb -x "$deb" "$unpacked"

echo "package-check: appstreamcli validate --no-net $metainfo"
appstream_output=$(appstreamcli validate --no-net --no-color "$unpacked/$metainfo" 2>&1) ||
    { printf '%s\n' "$appstream_output"; fail "appstreamcli rejects the metainfo"; }
printf '%s\n' "$appstream_output"
if grep -q '^[EW]:' <<<"$appstream_output"; then
    fail "appstreamcli reports errors or warnings in the metainfo"
fi

echo "package-check: desktop-file-validate $desktop_entry"
desktop_output=$(desktop-file-validate "$unpacked/$desktop_entry" 2>&1) || true
if [[ -n $desktop_output ]]; then
    printf '%s\n' "$desktop_output"
    fail "desktop-file-validate reports problems with the desktop entry"
fi

echo "package-check: man -l $manual_page"
man_warnings=$(MANWIDTH=80 man --warnings -l "$unpacked/$manual_page" 2>&1 >/dev/null) ||
    fail "man cannot render the manual page"
if [[ -n $man_warnings ]]; then
    printf '%s\n' "$man_warnings"
    fail "the manual page renders with warnings"
fi
MANWIDTH=80 man -l "$unpacked/$manual_page" 2>/dev/null | grep -q '^KEYS' ||
    fail "the rendered manual page lacks its KEYS section"
rm -rf "$unpacked"

if [[ $(id -u) -eq 0 ]]; then as_root=(); else as_root=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
# Wait for another apt run to finish rather than fail at once.
apt_options=(-y -qq -o DPkg::Lock::Timeout=600)
"${as_root[@]}" apt-get install "${apt_options[@]}" "./$deb"
trap '"${as_root[@]}" apt-get remove "${apt_options[@]}" nested-logic-test >/dev/null || true' EXIT

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
