#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Regenerates the icon assets in packaging/icon from packaging/icon/runewright.svg.
# The assets are committed; run this only after editing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-deps.sh
install_missing qt6-svg-dev
cmake -S tools/iconmaker -B build/iconmaker -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/iconmaker
QT_QPA_PLATFORM=offscreen build/iconmaker/iconmaker packaging/icon/runewright.svg packaging/icon
