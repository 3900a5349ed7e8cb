#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs what is missing, builds, and opens Runewright. Arguments go to the program
# (for example: ./run.sh -platform offscreen).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-deps.sh
source scripts/build.sh
build_preset default
exec build/default/src/runewright "$@"
