#!/usr/bin/env bash
# Builds Mouse Driver and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default -j2
