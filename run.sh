#!/usr/bin/env bash
# Builds Mouse Driver and starts the desktop application. Arguments are passed to the program
# (--demo attaches the virtual devices).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target mouse-driver mouse-driver-cli
exec build/default/bin/mouse-driver "$@"
