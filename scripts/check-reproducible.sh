#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Makes the release, then makes it again as a second builder would: from the source tarball
# unpacked in another folder, with another time zone, locale and umask, minutes later, against
# the same static Qt. Fails with diffoscope's report unless every file in dist/ is the same.
# Also checks what ships: no build folder or home folder inside, nothing for lintian in the .deb,
# and the executable in the ZIP byte for byte the one that check-windows.sh tested under Wine.
# Called by test.sh after the Windows check; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-deps.sh
install_missing diffoscope-minimal lintian unzip
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "check-reproducible: $*" >&2; exit 1; }

echo "-- Release, first builder: this checkout"
# Work not yet committed is tried as it stands.
RUNEWRIGHT_TRIAL=1 scripts/release.sh
first=$PWD/dist
version=$(sed -n 's/^Version: //p' "$first"/*.buildinfo)
name=runewright-$version

echo "-- Release, second builder: the source tarball elsewhere, TZ, locale and umask of its own"
elsewhere=$work/second/builder
mkdir -p "$elsewhere"
tar -xzf "$first/$name.tar.gz" -C "$elsewhere"
(umask 0077 && cd "$elsewhere/$name" &&
    env TZ=Pacific/Kiritimati LANG=C LC_ALL=POSIX scripts/release.sh)
second=$elsewhere/$name/dist

echo "-- Comparing dist/"
[[ $(ls "$first") == "$(ls "$second")" ]] ||
    fail "the two releases hold different files: $(ls "$first") against $(ls "$second")"
different=()
for file in "$first"/*; do
    cmp -s "$file" "$second/${file##*/}" || different+=("${file##*/}")
done
if ((${#different[@]})); then
    for file in "${different[@]}"; do
        diffoscope --text - "$first/$file" "$second/$file" || true
    done
    fail "a second build differs in ${different[*]}"
fi
(cd "$first" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match dist/"
echo "both builders: $(wc -l <"$first/SHA256SUMS") files identical"

echo "-- What ships holds nothing of the builder"
unpacked=$work/unpacked
mkdir -p "$unpacked"/{deb,zip}
dpkg-deb -R "$first/runewright_${version}_amd64.deb" "$unpacked/deb"
unzip -q "$first/$name-win64.zip" -d "$unpacked/zip"
# Both builders' folders, the home folder and the static Qt's prefix, and the temporary folder
# Qt was built in.
traces=(-e "$PWD" -e "$elsewhere" -e "$HOME/" -e "runewright-qt.")
[[ $(id -un) == root ]] || traces+=(-e "$(id -un)")
if found=$(grep -r -a -l -F "${traces[@]}" "$unpacked"); then
    fail "what ships names the builder: $found"
fi

echo "-- What ships is what was tested"
lintian --fail-on error,warning --info --pedantic "$first/runewright_${version}_amd64.deb" ||
    fail "lintian: errors or warnings in the released .deb"
cmp "$unpacked/zip/$name-win64/runewright.exe" build/windows/runewright.exe ||
    fail "the released runewright.exe is not the one tested under Wine"
echo "check-reproducible: all good ($(cd "$first" && echo *))"
