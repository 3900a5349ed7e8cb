#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# zip.sh BUILD OUTDIR [EXE]   makes OUTDIR/runewright-VERSION-win64.zip from a windows build and
#                             prints its path: one folder holding what the build installs, with
#                             EXE (the signed executable) in place of its runewright.exe if given.
#
# The same install gives the same ZIP, whoever makes it: entries in name order, no owner, fixed
# modes, and with SOURCE_DATE_EPOCH set (as the release sets it), that time for every entry.
set -euo pipefail
build=$1 outdir=$2 exe=${3:-}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=runewright-$version-win64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

cmake --install "$build" --prefix "$stage/$name" >/dev/null
[[ -z $exe ]] || cp "$exe" "$stage/$name/runewright.exe"
# The ZIP keeps Unix modes, which the umask set.
find "$stage/$name" -type d -exec chmod 0755 {} +
find "$stage/$name" -type f -exec chmod 0644 {} +
chmod 0755 "$stage/$name/runewright.exe"
# ZIP times are local times, so the time zone would shift them.
export TZ=UTC
if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
    find "$stage/$name" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
fi

mkdir -p "$outdir"
zip=$(cd "$outdir" && pwd)/$name.zip
rm -f "$zip"
# -X: no owner and no extra time fields.
(cd "$stage" && find "$name" -print | LC_ALL=C sort | zip -X -9 -q -@ "$zip")
echo "$zip"
