#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Makes everything the windows preset needs: Wine on this machine, the Debian 13 build root
# (scripts/windows-root.sh) and, inside the root, a static Qt for Windows built with the root's
# MinGW-w64 from Debian's own qt6-base source of exactly the root's Qt version, so that the
# root's moc, uic and rcc serve the cross build. Qt goes into a cache outside the checkout,
# with a stamp: a second run does nothing. Prints the Qt prefix on its last line.
#
#   RUNEWRIGHT_QT_WINDOWS   where Qt for Windows goes (default: ~/.cache/runewright/qt-mingw-static,
#                           where the windows preset looks for it)
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)
# Wine goes on this machine; everything else happens in the build root, where this script runs
# itself once more, marked by --in-root, with the root's MinGW-w64, Qt host tools and apt.
if [[ ${1:-} != --in-root ]]; then
    source "$checkout/scripts/install-deps.sh"
    install_missing wine wine64
    cd "$checkout"
    exec scripts/windows-root.sh scripts/windows-toolchain.sh --in-root
fi
source "$checkout/scripts/apt-archives.sh"

say() { echo "windows-toolchain: $*" >&2; }
fail() { say "$*"; exit 1; }

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${qt_version#*:}
upstream=${upstream%%[+-]*}
prefix=${RUNEWRIGHT_QT_WINDOWS:-$HOME/.cache/runewright/qt-mingw-static}

# Everything Qt is left without: Runewright needs Core, Gui, Widgets and Test, the windows and
# offscreen platforms, the Windows styles (windowsvista and windows11, one plugin) and fusion,
# and nothing that talks to a network, a database, a printer or a GPU.
features=(
    # Qt compiled for size: it is most of the executable's size.
    -DFEATURE_optimize_size=ON
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_zstd=OFF -DFEATURE_sessionmanager=OFF
    -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
    # -DFEATURE_opengl=OFF would leave dynamic OpenGL on, which the windows platform cannot
    # build without; this is what configure's -no-opengl sets.
    -DINPUT_opengl=no
    # Debian's source leaves out the Wintab headers that tablet events need.
    -DFEATURE_tabletevent=OFF
    # Direct2D stays on, as the DirectWrite font engine has always been built with it.
    # Qt's own copies, built into the static libraries.
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON
    # A static Qt compiles its install prefix into QtCore, and so into every program; a
    # relocatable one finds its prefix at run time instead, so the builder's home stays out.
    -DFEATURE_relocatable=ON
)
# The same Qt bytes for every builder: Qt's own file names (__FILE__ in its warnings) relative to
# the folder it is built in, and every time stamp (rcc's, the compiler's) taken from the source
# package's newest changelog entry rather than the clock. Set once the source is unpacked.
reproducible="-ffile-prefix-map=<build folder>/= SOURCE_DATE_EPOCH=<qt6-base changelog> TZ=UTC LC_ALL=C.UTF-8 umask 0022"
patches=("$checkout"/patches/qtbase-*.patch)
[[ -e ${patches[0]} ]] || patches=()

# The stamp names everything the build depends on, so that a change to any of it rebuilds.
recipe=$(
    printf '%s\n' "$qt_version" "${features[@]}" "$reproducible"
    cat "$checkout/cmake/mingw-w64-x86_64.cmake" "$checkout/cmake/Hardening.cmake" "${patches[@]}"
    x86_64-w64-mingw32-g++-posix --version | head -n 1
    dpkg-query -W mingw-w64-x86-64-dev cmake
)
stamp=$prefix/runewright-stamp
notices=$prefix/share/runewright-notices
configuration=$prefix/runewright-configuration
hardening="-DCMAKE_PROJECT_INCLUDE=cmake/Hardening.cmake, Runewright's own compiler and linker protections"
# The licences that Qt's bill of materials names, one a line; Qt is used under the LGPL, not a
# commercial licence, and the rest are the words of the licence expressions.
sbom_licences() {
    sed -n 's/^\(PackageLicenseConcluded\|PackageLicenseDeclared\|LicenseConcluded\): //p' "$1" |
        grep -o '[A-Za-z0-9.+-]\+' | sort -u | grep -vxE 'LicenseRef-Qt-Commercial|AND|OR|WITH|NOASSERTION'
}
# The text of each licence, where Qt's source keeps it: LICENSES/, or for a few, beside the code.
declare -A licence_files=([Imlib2]=src/gui/painting/QIMAGETRANSFORM_LICENSE.txt)
built=false
[[ -f $stamp && $(<"$stamp") == "$recipe" ]] && built=true
# The notices and the recorded configuration are made anew, from the source, when missing,
# short of a licence, or written by an older version of this script.
complete=false
if [[ -f $notices/source.txt ]] && grep -qxF -- "$hardening" "$configuration" 2>/dev/null; then
    complete=true
    for licence in $(sbom_licences "$notices"/qtbase-*.spdx); do
        [[ -f $notices/spdx/$licence.txt ]] || complete=false
    done
fi
if $built && $complete; then
    say "Qt $upstream for Windows is ready in $prefix"
    echo "$prefix"
    exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/runewright-qt.XXXXXX")
trap 'rm -rf "$work"' EXIT

# apt-get source needs deb-src entries: those of the root's own archives (same URIs, suites and
# components), in private files, so the root's apt set-up stays as it was.
say "deriving source entries from the root's apt sources"
apt=$work/apt
mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial"
apt_archives | sed 's/^/deb-src /' >"$apt/sources.list"
[[ -s $apt/sources.list ]] || fail "the root's apt sources name no archive"
apt_private=(
    -o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root
)
apt-get "${apt_private[@]}" update -q >&2

say "fetching qt6-base $qt_version"
(cd "$work" && apt-get "${apt_private[@]}" source -q "qt6-base=$qt_version" >&2) ||
    fail "Debian's apt sources offer no qt6-base source of version $qt_version, the root's Qt"
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[[ -n $src && -f $src/.cmake.conf ]] || fail "the qt6-base source did not unpack"
source_version=$(sed -n 's/^set(QT_REPO_MODULE_VERSION "\(.*\)")/\1/p' "$src/.cmake.conf")
[[ $source_version == "$upstream" ]] ||
    fail "the qt6-base source is Qt $source_version but the root's Qt is $upstream; its moc, uic and rcc must match"

for patch in "${patches[@]}"; do
    say "applying $(basename "$patch")"
    patch -d "$src" -p1 --forward --quiet <"$patch"
done
qt_epoch=$(dpkg-parsechangelog -l "$src/debian/changelog" -STimestamp)

build_qt() {
    local host_info host_cmake start
    export SOURCE_DATE_EPOCH=$qt_epoch TZ=UTC LC_ALL=C.UTF-8
    umask 0022
    host_info=$(dpkg -L qt6-base-dev | grep '/Qt6HostInfo/Qt6HostInfoConfig.cmake$')
    host_cmake=${host_info%/Qt6HostInfo/*}
    say "configuring Qt $upstream for Windows into $prefix"
    # The prefix itself is where the root mounts the cache: emptied, not removed.
    find "$prefix" -mindepth 1 -delete
    cmake -S "$src" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$checkout/cmake/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_FLAGS="-ffile-prefix-map=$work/=" -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$work/=" \
        -DCMAKE_PROJECT_INCLUDE="$checkout/cmake/Hardening.cmake" \
        -DBUILD_SHARED_LIBS=OFF \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        "${features[@]}" >"$work/configure.log" 2>&1 ||
        { tail -n 40 "$work/configure.log" >&2; fail "Qt's configuration failed"; }

    say "building Qt (about half an hour on two cores)"
    start=$SECONDS
    # Ninja's step count, every half minute, so that a long build shows it is moving; the
    # whole log stays in the build folder, and its tail is shown if the build fails.
    cmake --build "$work/build" >"$work/build.log" 2>&1 &
    local builder=$! step seconds=0
    while kill -0 "$builder" 2>/dev/null; do
        sleep 1
        ((++seconds % 30)) && continue
        step=$(grep -o '^\[[0-9]*/[0-9]*\]' "$work/build.log" | tail -n 1 | tr -d '[]') || true
        say "Qt: ${step:-starting}, $(((SECONDS - start) / 60)) min"
    done
    wait "$builder" || { tail -n 40 "$work/build.log" >&2; fail "Qt's build failed"; }
    cmake --install "$work/build" >/dev/null
    say "built Qt in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
    printf '%s\n' "$recipe" >"$stamp"
}
$built || build_qt

# What a release's build information gives as this Qt's configuration.
{
    echo "qt6-base $qt_version, static, Release, SOURCE_DATE_EPOCH=$qt_epoch"
    printf '%s\n' "${features[@]}" "$hardening"
} >"$configuration"

# What the Windows ZIP must carry for Qt, which it links statically: where this Qt's source
# comes from, Qt's licence, the licences and notices of the third-party code Qt builds in, and
# Qt's own bill of materials, which names every part with its licence and copyright, and the
# text of each licence it names.
say "collecting Qt's licences into $notices"
rm -rf "$notices"
mkdir -p "$notices"
cp "$src/LICENSES/LGPL-3.0-only.txt" "$notices/Qt-LGPL-3.0-only.txt"
for part in freetype harfbuzz-ng pcre2 libpng zlib double-conversion tinycbor easing \
            md4 md5 sha1 sha3 blake2 rfc6234 D3D12MemoryAllocator; do
    for file in "$src/src/3rdparty/$part"/{LICENSE,LICENCE,COPYING,LICENSE.txt}; do
        if [[ -f $file ]]; then cp "$file" "$notices/$part-$(basename "$file")"; fi
    done
done
sbom=("$prefix"/sbom/qtbase-*.spdx)
[[ -f ${sbom[0]} ]] || fail "Qt wrote no bill of materials into $prefix/sbom"
cp "${sbom[0]}" "$notices/"
mkdir -p "$notices/spdx"
for licence in $(sbom_licences "${sbom[0]}"); do
    text=$src/${licence_files[$licence]:-LICENSES/$licence.txt}
    [[ -f $text ]] || fail "Qt's bill of materials names the licence $licence, and the qt6-base source has no text of it"
    cp "$text" "$notices/spdx/$licence.txt"
done
{
    echo "qt6-base $qt_version, Debian's source package"
    for patch in "${patches[@]}"; do echo "patched with $(basename "$patch")"; done
} >"$notices/source.txt"
echo "$prefix"
