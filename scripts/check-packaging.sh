#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Checks the Linux release as users and distributions get it, from the default build: the
# licences, the desktop entry, the AppStream metadata, the manual page, the installed tree and
# the .deb, which lintian must pass without a warning; and the Windows resource script in both
# its MinGW and MSVC forms (scripts/check-windows.sh checks the Windows executable itself).
# Called by test.sh; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/default
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "check-packaging: $*" >&2; exit 1; }
expect_files() {
    local root=$1 listing=$2 path
    shift 2
    for path in "$@"; do
        grep -qx "$root$path" <<<"$listing" || fail "missing $path"
    done
}
app_id=org.runewright.Runewright
installed=(
    /usr/bin/runewright
    /usr/share/applications/$app_id.desktop
    /usr/share/metainfo/$app_id.metainfo.xml
    /usr/share/man/man1/runewright.1.gz
    /usr/share/doc/runewright/copyright
    /usr/share/doc/runewright/changelog.gz
    /usr/share/doc/runewright/SECURITY.md
)
for size in 16 22 24 32 48 64 128 256; do
    installed+=("/usr/share/icons/hicolor/${size}x${size}/apps/runewright.png")
done

echo "-- Windows: manifest and resources"
xmllint --noout packaging/windows/runewright.exe.manifest
grep -q 'requestedExecutionLevel level="asInvoker"' packaging/windows/runewright.exe.manifest ||
    fail "the manifest does not run the program as the invoking user"
# MinGW builds take the manifest through the .rc; MSVC builds must not get it twice.
for variant in mingw msvc; do
    defines=()
    [[ $variant == mingw ]] && defines=(-DRUNEWRIGHT_EMBED_MANIFEST)
    x86_64-w64-mingw32-windres --preprocessor=cpp "${defines[@]}" \
        -i "$build/packaging/runewright.rc" -o "$work/$variant.o"
    x86_64-w64-mingw32-windres -i "$work/$variant.o" -O rc -o "$work/$variant.rc"
    grep -q '"IDI_ICON1"' "$work/$variant.rc" || fail "$variant resources carry no icon"
    grep -q 'VALUE "OriginalFilename", "runewright.exe"' "$work/$variant.rc" ||
        fail "$variant resources carry no version information"
    manifests=$(grep -c 'RT_MANIFEST' "$work/$variant.rc" || true)
    [[ $variant == mingw && $manifests == 1 || $variant == msvc && $manifests == 0 ]] ||
        fail "$variant resources carry $manifests manifests"
done

echo "-- Licences: reuse lint"
reuse lint >"$work/reuse.log" || { cat "$work/reuse.log"; fail "reuse lint: not compliant"; }

echo "-- Linux: desktop entry, AppStream metadata, manual page"
desktop-file-validate "packaging/linux/$app_id.desktop"
metainfo=$build/packaging/$app_id.metainfo.xml
validation=$(appstreamcli validate --no-net "$metainfo") || { echo "$validation"; fail "AppStream metadata is invalid"; }
echo "$validation"
# A warning fails the check as well as an error; info and pedantic hints may stay.
! grep -q '^[EW]:' <<<"$validation" || fail "AppStream metadata has warnings"
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ $newest == "$version" ]] || fail "the newest AppStream release is $newest, the program is $version"
man_warnings=$(MANWIDTH=80 man --warnings -l "$build/packaging/runewright.1.gz" 2>&1 >/dev/null)
[[ -z $man_warnings ]] || fail "the manual page renders with warnings: $man_warnings"

echo "-- Linux: cmake --install"
cmake --install "$build" --prefix "$work/install/usr" >/dev/null
expect_files "$work/install" "$(find "$work/install" -type f)" "${installed[@]}"
sh tests/window_comes_up.sh "$work/install/usr/bin/runewright"

echo "-- Linux: .deb"
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(echo "$work"/package/runewright_*.deb)
[[ -f $deb ]] || fail "cpack made no .deb"
listing=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
echo "$listing"
expect_files . "$listing" "${installed[@]}"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "the .deb does not depend on Qt Widgets"
lintian --fail-on error,warning --info --pedantic "$deb" || fail "lintian: errors or warnings in the .deb"
dpkg-deb -x "$deb" "$work/unpacked"
sh tests/window_comes_up.sh "$work/unpacked/usr/bin/runewright"
echo "check-packaging: all good ($(basename "$deb"))"
