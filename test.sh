#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, then the build
# with AddressSanitizer and UndefinedBehaviorSanitizer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-deps.sh
source scripts/build.sh
for preset in default asan; do
    build_preset "$preset"
    ctest --preset "$preset"
done
