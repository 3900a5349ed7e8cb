#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Takes the README's Windows pictures into docs/screenshots/windows: the cross-built
# tools/screenshots.exe under Wine, on the windows platform, on a private Xvfb, in the style Qt
# chooses there (windowsvista, as Wine reports Windows 10), and the Output page once more in
# the windows11 style that Windows 11 gets. Run it by hand after scripts/check-windows.sh has
# built the windows preset.
#
# Windows draws dialogs in a sans-serif font and has Courier New for the row; Wine without
# Windows' fonts would fall back to a serif font of the host for both. This prefix of its own
# maps the dialog fonts to DejaVu Sans and lists DejaVu Sans Mono as Courier New.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/windows
[[ -x $build/screenshots.exe ]] || { echo "build the windows preset first" >&2; exit 1; }
export WINEPREFIX=$PWD/$build/screenshot-prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
eleven=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; rm -rf "$eleven"' EXIT

xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" sh -c '
    wineboot --init
    substitute() {
        wine reg add "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes" \
            /v "$1" /d "$2" /f >/dev/null
    }
    for font in "MS Shell Dlg" "MS Shell Dlg 2" Tahoma "Segoe UI" "MS Sans Serif"; do
        substitute "$font" "DejaVu Sans"
    done
    # Qt looks the row'"'"'s font up by name, so Wine must list a font under that name.
    wine reg add "HKCU\\Software\\Wine\\Fonts\\Replacements" /v "Courier New" /d "DejaVu Sans Mono" /f >/dev/null
    # Wine'"'"'s DirectWrite does not list the replacement; its GDI does.
    wine "$0" docs/screenshots/windows -platform windows:fontengine=gdi
    wine "$0" "$1" -style windows11
' "$build/screenshots.exe" "$eleven"
# Wine has no Segoe Fluent Icons, the font of Windows 11'"'"'s arrows and check marks; the Output
# page has none of them.
cp "$eleven/10-output-regenerated.png" docs/screenshots/windows/11-windows11-style.png
ls -l docs/screenshots/windows
