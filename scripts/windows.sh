#!/usr/bin/env bash
# The Windows build in one command, on Debian 12: installs what is missing,
# builds Qt for Windows unless it is cached (scripts/windows-qt.sh), builds
# GoogleTest, the program and its tests for Windows (preset "windows"), makes
# the installer and the portable zip, and runs under wine, in Xvfb, the test
# suite and the checks of the real program, the installer and the zip
# (scripts/windows/checks.sh). The packages are left in build/windows.
#   scripts/windows.sh [--screenshots DIR]
# With --screenshots the checks also save pictures of the program's windows.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
start=$SECONDS
step() { echo "== windows: $* ($((SECONDS - start)) s)"; }

step "packages"
bash scripts/setup.sh --tests --windows

step "Qt for Windows"
qt=$(bash scripts/windows-qt.sh)

step "GoogleTest for Windows"
# Debian's GoogleTest sources, built with the same toolchain, kept beside Qt.
toolchain=$repo/cmake/mingw-w64-x86_64.cmake
gtest_version=$(dpkg-query -W -f='${Version}' googletest)
gtest_hash=$(cat "$toolchain" | sha256sum | cut -c1-12)
gtest=${XDG_CACHE_HOME:-$HOME/.cache}/nested-logic-test/googletest-$gtest_version-windows-$gtest_hash
if [[ ! -f $gtest/lib/cmake/GTest/GTestConfig.cmake ]]; then
    gtest_build=$gtest.build
    rm -rf "$gtest_build"
    cmake -S /usr/src/googletest -B "$gtest_build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest" >/dev/null
    cmake --build "$gtest_build" --parallel "$(nproc)"
    cmake --install "$gtest_build" >/dev/null
    rm -rf "$gtest_build"
fi

# The toolchain file and the preset find Qt and GoogleTest for Windows here.
export NLT_WINDOWS_PREFIXES="$qt;$gtest"

step "program and tests"
cmake --preset windows
cmake --build --preset windows --parallel "$(nproc)"

step "installer and zip"
rm -f build/windows/nested-logic-test-*-win64.*
cpack --preset windows

step "tests and checks under wine"
xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" bash scripts/windows/checks.sh "$@"

ls -l build/windows/bin/nested-logic-test.exe build/windows/nested-logic-test-*-win64.*
step "done"
