#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs what is missing, builds, and runs every test: the normal build, then the build
# with AddressSanitizer and UndefinedBehaviorSanitizer, then the Linux packaging checks, then
# the Windows build (its static Qt built once into a cache) with its tests under Wine, then the
# release, made twice as two builders would, which must give the same bytes, and the
# protections its two programs are built with.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-deps.sh
install_missing binutils-mingw-w64-x86-64 libxml2-utils desktop-file-utils dpkg-dev file \
    lintian appstream reuse man-db xvfb xauth x11-utils devscripts python3-pefile \
    at-spi2-core python3-pyatspi dbus-x11 xdotool
source scripts/build.sh
for preset in default asan; do
    build_preset "$preset"
    ctest --preset "$preset"
done
scripts/check-packaging.sh
scripts/check-windows.sh
scripts/check-reproducible.sh
scripts/check-hardening.py dist build/source/runewright-*/
