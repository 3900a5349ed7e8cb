#!/usr/bin/env bash
# Checks the program as users get it, from the default build: the Windows resources (compiled
# with the MinGW resource compiler, since the Windows build cannot run here), the desktop
# entry, the installed tree and the .deb. Called by test.sh; exits non-zero on any failure.
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
installed=(
    /usr/bin/runewright
    /usr/share/applications/runewright.desktop
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

echo "-- Linux: desktop entry"
desktop-file-validate packaging/linux/runewright.desktop

echo "-- Linux: cmake --install"
cmake --install "$build" --prefix "$work/install/usr" >/dev/null
expect_files "$work/install" "$(find "$work/install" -type f)" "${installed[@]}"
sh tests/starts_headless.sh "$work/install/usr/bin/runewright"

echo "-- Linux: .deb"
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(echo "$work"/package/runewright_*.deb)
[[ -f $deb ]] || fail "cpack made no .deb"
listing=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
echo "$listing"
expect_files . "$listing" "${installed[@]}"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "the .deb does not depend on Qt Widgets"
dpkg-deb -x "$deb" "$work/unpacked"
sh tests/starts_headless.sh "$work/unpacked/usr/bin/runewright"
echo "check-packaging: all good ($(basename "$deb"))"
