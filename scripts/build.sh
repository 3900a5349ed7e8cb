#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Configures (once) and builds one CMake preset; further arguments go to the first configure.
# Sourced by run.sh, test.sh and the check and release scripts.
build_preset() {
    local preset=$1
    shift
    [[ -f build/$preset/CMakeCache.txt ]] || cmake --preset "$preset" "$@"
    cmake --build --preset "$preset"
}
