#!/usr/bin/env bash
# Installs the Debian 12 packages this project needs, skipping those present.
#   scripts/setup.sh            what building and running the program needs
#   scripts/setup.sh --tests    also what the test suite, fuzzing and packaging need
#   scripts/setup.sh --package  also the checkers of the package: lintian,
#                               appstreamcli, desktop-file-validate and man
# The two options may be given together.
set -euo pipefail

packages=(cmake make g++ pkgconf qt6-base-dev libchm-dev fp-utils fonts-liberation)
for option in "$@"; do
    case "$option" in
        --tests)
            packages+=(libgtest-dev libbenchmark-dev clang clang-format libclang-rt-14-dev
                       xvfb xauth x11-utils xdotool imagemagick dpkg-dev file) ;;
        --package)
            packages+=(lintian appstream desktop-file-utils man-db) ;;
        *)
            echo "setup: error: unknown option '$option' (known: --tests, --package)" >&2
            exit 2 ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
    echo "setup: all needed packages are installed."
    exit 0
fi

echo "setup: installing ${missing[*]}"
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
# Wait for another apt run to finish rather than fail at once.
if ! "${as_root[@]}" apt-get update -qq -o DPkg::Lock::Timeout=600; then
    echo "setup: error: 'apt-get update' failed; check the network and the package sources." >&2
    exit 1
fi
if ! "${as_root[@]}" apt-get install -y -qq -o DPkg::Lock::Timeout=600 \
        --no-install-recommends "${missing[@]}"; then
    echo "setup: error: could not install: ${missing[*]}" >&2
    exit 1
fi
echo "setup: done."
