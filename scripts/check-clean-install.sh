#!/usr/bin/env bash
# Proves the README's two set-up commands on a minimal Debian 12 root: a clean `git archive` of
# HEAD goes into a fresh debootstrap root, where the test command runs and then the run command
# (`./run.sh --demo`, offscreen) must start, show its window and end cleanly on SIGTERM.
#
# Usage: sudo scripts/check-clean-install.sh [--keep]
#   --keep   leave the root in place after the run (its path is printed)
# Environment:
#   MD_CHECK_CACHE   folder of the cached minimal root (default /var/cache/mouse-driver-check)
#   MD_CHECK_MIRROR  Debian mirror (default http://deb.debian.org/debian)
#   MD_CHECK_RUN_SECONDS  how long the application runs before SIGTERM (default 8)
# Prints one line per step and exits non-zero on the first failure.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
run_seconds=${MD_CHECK_RUN_SECONDS:-8}
check_name=check-clean-install
keep=0
[ "${1:-}" = "--keep" ] && keep=1
# shellcheck source=scripts/lib/clean-root.sh
. "$here/scripts/lib/clean-root.sh"
clean_root_require git

# 1. The cached minimal root, a fresh copy of it and its mounts.
clean_root_create

# 2. A clean copy of HEAD (no untracked or ignored file), with the shared test data beside it
#    as CI has it.
step "git archive HEAD into the root"
mkdir -p "$root/src/main"
git -C "$here" archive --format=tar HEAD | tar -C "$root/src/main" -xf - ||
    step_fail "git archive failed"
if [ -d "$here/../shared/testdata" ]; then
    mkdir -p "$root/src/shared"
    cp -a "$here/../shared/testdata" "$root/src/shared/"
fi
step_ok

# 3. The README's test command.
step "README test command (./test.sh)"
if ! in_root 'cd /src/main && ./test.sh' >"$cache/test.log" 2>&1; then
    tail -n 30 "$cache/test.log"
    step_fail "whole output in $cache/test.log"
fi
step_ok
grep -E 'tests passed|tests failed' "$cache/test.log" | sed 's/^/  /'

# 4. The README's run command: it must start, show its window and end cleanly on SIGTERM.
step "README run command (./run.sh --demo)"
# run.sh ends in exec, so the started shell becomes the application.
run_window_check 'cd /src/main
export QT_QPA_PLATFORM=offscreen MOUSE_DRIVER_DEBUG=1 XDG_RUNTIME_DIR=/tmp/md-run
mkdir -m 700 -p /tmp/md-run' './run.sh --demo' "$cache/run.log" 1200
step_ok
echo "clean-root check passed"
