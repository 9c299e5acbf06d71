#!/usr/bin/env bash
# Builds a static Qt (qtbase only) for 64-bit Windows from Debian's source
# package of the Qt version installed on this machine, and keeps it in a cache
# folder outside the repository:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/nested-logic-test/qt-<version>-windows-<hash>
# <hash> covers the configure options, the toolchain file and our patches, so
# changing any of them builds a new Qt; an existing one is reused as it is.
# The build tree is deleted once Qt is installed; an interrupted build is
# resumed by the next run.
#   scripts/windows-qt.sh           build if needed, then print the Qt folder
#   scripts/windows-qt.sh --prefix  only print the Qt folder
# Needs: dpkg-dev, a deb-src entry (scripts/windows.sh adds one),
# qt6-base-dev-tools, g++-mingw-w64-x86-64-posix, cmake and ninja-build.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$repo/cmake/mingw-w64-x86_64.cmake
patches=$repo/scripts/windows/patches
jobs=${NLT_JOBS:-$(nproc)}

# Qt for Windows must match the host tools (moc, rcc, uic) exactly.
source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)
qt_version=${source_version%%+*}

# Everything the program uses: Widgets, Test, the windows platform plugin and
# the JPEG reader (the logo), with every third-party library bundled and
# linked statically, so the program imports nothing but system DLLs.
options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DFEATURE_static_runtime=ON
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DFEATURE_opengl=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_network=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_zstd=OFF
    -DFEATURE_icu=OFF
    -DFEATURE_androiddeployqt=OFF
    # Debian's source removes the WinTab headers; without tablet events the
    # windows platform plugin does not need them.
    -DFEATURE_tabletevent=OFF
    # The program refuses shut-down and log-off through the session manager.
    -DFEATURE_sessionmanager=ON
    -DFEATURE_jpeg=ON
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
)

hash=$( {
    printf '%s\n' "$source_version" "${options[@]}"
    cat "$toolchain"
    find "$patches" -name '*.patch' -type f | LC_ALL=C sort | xargs -r cat
} | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/nested-logic-test
prefix=$cache/qt-$qt_version-windows-$hash

if [[ ${1:-} == --prefix ]]; then
    echo "$prefix"
    exit 0
fi

if [[ -f $prefix/lib/cmake/Qt6/Qt6Config.cmake ]]; then
    echo "windows-qt: reusing $prefix" >&2
    echo "$prefix"
    exit 0
fi

# A build tree left by an interrupted run of the same options is resumed.
work=$prefix.build
if [[ ! -f $work/build/build.ninja ]]; then
    rm -rf "$work"
    mkdir -p "$work"
    cd "$work"
    echo "windows-qt: fetching Debian's qt6-base $source_version source" >&2
    # Debian's own patch series (security fixes among them) is applied on unpacking.
    apt-get source -qq --download-only "qt6-base=$source_version" >&2
    dpkg-source -q -x qt6-base_*.dsc source >&2
    for patch in "$patches"/*.patch; do
        [[ -e $patch ]] || continue
        echo "windows-qt: applying $(basename "$patch")" >&2
        patch -d source -p1 --forward --quiet < "$patch" >&2
    done
    echo "windows-qt: configuring Qt $qt_version for Windows" >&2
    cmake -S source -B build -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        "${options[@]}" >&2
fi
cd "$work"
echo "windows-qt: building with $jobs jobs" >&2
cmake --build build --parallel "$jobs" >&2
cmake --install build >&2
cd /
rm -rf "$work"
echo "windows-qt: installed $prefix" >&2
echo "$prefix"
