#!/usr/bin/env bash
# Builds Mouse Driver and runs every test, then the core tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default -j2
cmake --preset asan -DMD_BUILD_GUI=OFF >/dev/null
cmake --build build/asan --target core_tests
ctest --test-dir build/asan -j2 --output-on-failure
