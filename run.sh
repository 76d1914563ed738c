#!/usr/bin/env bash
# Builds Mouse Driver and runs it. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec build/default/bin/mouse-driver-cli list "$@"
