#!/usr/bin/env bash
# Installs the Debian 12 packages this project needs, skipping those present.
#   scripts/setup.sh            what building and running the program needs
#   scripts/setup.sh --tests    also what the test suite, fuzzing and packaging need
#   scripts/setup.sh --package  also the checkers of the package: lintian,
#                               appstreamcli, desktop-file-validate and man
#   scripts/setup.sh --windows  also what the Windows build needs: mingw-w64,
#                               wine, NSIS, Qt's host tools and the source of
#                               Qt (for which it adds deb-src entries copied
#                               from the machine's own deb entries)
# The options may be given together.
set -euo pipefail

packages=(cmake make g++ pkgconf qt6-base-dev libchm-dev fp-utils fonts-liberation)
windows=0
for option in "$@"; do
    case "$option" in
        --tests)
            packages+=(libgtest-dev libbenchmark-dev clang clang-format libclang-rt-14-dev
                       xvfb xauth x11-utils xdotool imagemagick dpkg-dev file) ;;
        --package)
            packages+=(lintian appstream desktop-file-utils man-db) ;;
        --windows)
            windows=1
            packages+=(g++-mingw-w64-x86-64-posix wine wine64 nsis ninja-build
                       qt6-base-dev-tools dpkg-dev libgtest-dev imagemagick
                       xvfb xauth xdotool openbox unzip) ;;
        *)
            echo "setup: error: unknown option '$option' (known: --tests, --package, --windows)" >&2
            exit 2 ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

# Qt for Windows is built from Debian's source package of Qt.
need_sources=0
if [[ $windows -eq 1 ]] && ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:'; then
    need_sources=1
fi

if [[ ${#missing[@]} -eq 0 && $need_sources -eq 0 ]]; then
    echo "setup: all needed packages are installed."
    exit 0
fi

[[ ${#missing[@]} -eq 0 ]] || echo "setup: installing ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "setup: error: these packages are missing: ${missing[*]}" >&2
    echo "setup: run this script as root, or install sudo, or install them yourself." >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [[ $need_sources -eq 1 ]]; then
    # The same archives and suites as the machine's own package entries.
    for list in /etc/apt/sources.list.d/*.sources; do
        [[ -e $list && $list != *-src.sources ]] || continue
        grep -q '^Types: deb$' "$list" || continue
        sed 's/^Types: deb$/Types: deb-src/' "$list" \
            | "${as_root[@]}" tee "${list%.sources}-src.sources" >/dev/null
        echo "setup: added ${list%.sources}-src.sources"
    done
    if [[ -f /etc/apt/sources.list ]] && grep -q '^deb ' /etc/apt/sources.list; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list \
            | "${as_root[@]}" tee /etc/apt/sources.list.d/nested-logic-test-src.list >/dev/null
        echo "setup: added /etc/apt/sources.list.d/nested-logic-test-src.list"
    fi
fi
# Wait for another apt run to finish rather than fail at once.
if ! "${as_root[@]}" apt-get update -qq -o DPkg::Lock::Timeout=600; then
    echo "setup: error: 'apt-get update' failed; check the network and the package sources." >&2
    exit 1
fi
if [[ ${#missing[@]} -gt 0 ]] && ! "${as_root[@]}" apt-get install -y -qq -o DPkg::Lock::Timeout=600 \
        --no-install-recommends "${missing[@]}"; then
    echo "setup: error: could not install: ${missing[*]}" >&2
    exit 1
fi
echo "setup: done."
