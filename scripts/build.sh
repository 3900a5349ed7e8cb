#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Configures (once) and builds one CMake preset: default or asan. Sourced by run.sh and test.sh.
build_preset() {
    local preset=$1
    [[ -f build/$preset/CMakeCache.txt ]] || cmake --preset "$preset"
    cmake --build --preset "$preset"
}
