#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Runewright for Windows and checks it as a Windows user gets it: the static Qt (built
# once, into a cache), the windows preset and its tests under Wine, then the executable (what it
# imports, its subsystem, its resources) and the ZIP, unpacked and started under Wine.
# Called by test.sh; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-deps.sh
install_missing icoutils zip unzip xvfb xauth x11-utils
scripts/windows-toolchain.sh >/dev/null
source scripts/build.sh
build=build/windows
work=$(mktemp -d)
export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT

fail() { echo "check-windows: $*" >&2; exit 1; }

echo "-- Windows: build and tests under Wine"
build_preset windows
# One display for every test: Wine's desktop process keeps the display of the program that
# started it. No reset between two tests' programs, which would refuse the next one meanwhile.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --preset windows

echo "-- Windows: runewright.exe"
exe=$build/runewright.exe
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
# DLLs that every Windows 10 and 11 has (and the API sets its loader resolves); no Qt,
# compiler runtime or threads DLL.
system_dlls=(advapi32.dll authz.dll comdlg32.dll d3d9.dll d3d11.dll d3d12.dll dwmapi.dll dwrite.dll dxgi.dll
    gdi32.dll imm32.dll kernel32.dll msvcrt.dll netapi32.dll ole32.dll oleaut32.dll setupapi.dll
    shcore.dll shell32.dll shlwapi.dll user32.dll userenv.dll uxtheme.dll version.dll winmm.dll
    ws2_32.dll wtsapi32.dll)
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]' | sort -u)
echo "imports:" $imports
for dll in $imports; do
    [[ " ${system_dlls[*]} " == *" $dll "* || $dll == api-ms-win-core-* ]] ||
        fail "runewright.exe imports $dll, which Windows does not ship"
done
grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" || fail "runewright.exe is not a Windows GUI program"
x86_64-w64-mingw32-nm "$exe" 2>&1 | grep -q 'no symbols' || fail "runewright.exe is not stripped"
! x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug' || fail "runewright.exe carries debug information"
# Screen readers reach the window through UI Automation, which Qt loads at run time.
grep -a -q UiaReturnRawElementProvider "$exe" || fail "runewright.exe has no UI Automation for screen readers"
resources=$(wrestool -l "$exe")
[[ $(grep -c -- '--type=3 ' <<<"$resources") == 3 ]] || fail "runewright.exe does not carry its three icon images"
grep -q -- '--type=14 ' <<<"$resources" || fail "runewright.exe has no icon"
wrestool -x --raw --type=16 "$exe" | iconv -f UTF-16LE -t UTF-8 -c | tr -d '\0' |
    grep -a -q "ProductVersion.\{0,2\}$version" || fail "runewright.exe carries no version $version"
manifest=$(wrestool -x --raw --type=24 "$exe")
grep -q 'level="asInvoker"' <<<"$manifest" || fail "the manifest does not run the program as the invoking user"
grep -q 'PerMonitorV2' <<<"$manifest" || fail "the manifest is not per-monitor DPI aware"
echo "runewright.exe: $(stat -c %s "$exe") bytes"

echo "-- Windows: ZIP"
zip=$(packaging/windows/zip.sh "$build" "$build/package")
[[ $zip == */runewright-$version-win64.zip && -f $zip ]] || fail "zip.sh made no runewright-$version-win64.zip"
entries=$(unzip -Z1 "$zip")
echo "$entries"
for file in runewright.exe LICENSE.txt README.txt Qt-NOTICE.txt SECURITY.txt licences/Qt-LGPL-3.0-only.txt; do
    grep -qx "runewright-$version-win64/$file" <<<"$entries" || fail "the ZIP holds no $file"
done
unzip -q "$zip" -d "$work/unpacked"
sh tests/window_comes_up.sh wine "$work/unpacked/runewright-$version-win64/runewright.exe"
echo "check-windows: all good ($zip, $(stat -c %s "$zip") bytes)"
