#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Configures (once) and builds one CMake preset; further arguments go to the first configure.
# The windows presets are built in the Windows build root (windows-root.sh), with its MinGW-w64
# and Qt host tools. Sourced by run.sh, test.sh and the check and release scripts.
build_preset() {
    local preset=$1
    shift
    local in=()
    [[ $preset == windows* ]] && in=("$(dirname "${BASH_SOURCE[0]}")/windows-root.sh")
    [[ -f build/$preset/CMakeCache.txt ]] || "${in[@]}" cmake --preset "$preset" "$@"
    "${in[@]}" cmake --build --preset "$preset"
}
