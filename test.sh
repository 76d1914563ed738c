#!/usr/bin/env bash
# Builds Mouse Driver once, with AddressSanitizer and UndefinedBehaviorSanitizer, and runs every
# test in that build: core, command-line, fuzz-corpus replay and the offscreen GUI tests. The
# benchmarks are compiled in the same build so that they keep building.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j2
