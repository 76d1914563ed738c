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
cache=${MD_CHECK_CACHE:-/var/cache/mouse-driver-check}
mirror=${MD_CHECK_MIRROR:-http://deb.debian.org/debian}
run_seconds=${MD_CHECK_RUN_SECONDS:-8}
keep=0
[ "${1:-}" = "--keep" ] && keep=1

if [ "$(id -u)" -ne 0 ]; then
    echo "check-clean-install: needs root (debootstrap, chroot, mount)" >&2
    exit 2
fi
for tool in debootstrap chroot git tar mount umount; do
    command -v "$tool" >/dev/null || { echo "check-clean-install: $tool is missing" >&2; exit 2; }
done

root=""
mounted=()
cleanup() {
    local rc=$?
    # Unmount in reverse order, also after a failure; lazily if something still holds a mount.
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[$i]}" 2>/dev/null || umount -l "${mounted[$i]}" 2>/dev/null || true
    done
    if [ -n "$root" ] && [ -d "$root" ]; then
        if [ "$keep" -eq 1 ]; then
            echo "root kept at $root"
        elif findmnt -R -n -o TARGET | grep -q "^$root/"; then
            echo "root left at $root: something is still mounted below it" >&2
        else
            rm -rf --one-file-system "$root"
        fi
    fi
    exit $rc
}
trap cleanup EXIT
trap 'exit 130' INT TERM

step_start=0
step() {
    step_name=$1
    step_start=$(date +%s)
    printf '%-44s ' "$step_name"
}
step_ok() {
    printf 'ok (%ds)\n' $(($(date +%s) - step_start))
}
step_fail() {
    printf 'FAILED (%ds)\n' $(($(date +%s) - step_start))
    [ -n "${1:-}" ] && echo "  $1"
    exit 1
}

# 1. The cached minimal root: made once with debootstrap, then unpacked for every run.
base="$cache/bookworm-minbase.tar"
step "minimal Debian 12 root (cache)"
mkdir -p "$cache"
if [ ! -s "$base" ]; then
    staging="$cache/staging"
    rm -rf --one-file-system "$staging"
    debootstrap --variant=minbase bookworm "$staging" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
        step_fail "debootstrap failed, see $cache/debootstrap.log"
    tar -C "$staging" -cf "$base.tmp" . && mv "$base.tmp" "$base"
    rm -rf --one-file-system "$staging"
fi
step_ok

step "fresh root from the cache"
root=$(mktemp -d /var/tmp/mouse-driver-clean-root.XXXXXX)
tar -C "$root" -xf "$base" || step_fail "could not unpack $base"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
step_ok

step "bind /proc, /sys, /dev"
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mount --bind /sys "$root/sys" && mounted+=("$root/sys")
mount --bind /dev "$root/dev" && mounted+=("$root/dev")
mount --bind /dev/pts "$root/dev/pts" && mounted+=("$root/dev/pts")
[ ${#mounted[@]} -eq 4 ] || step_fail "a mount failed"
step_ok

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

in_root() {
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 /bin/bash -c "$1"
}

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
cat >"$root/tmp/run-check.sh" <<EOF
#!/bin/bash
# run.sh ends in exec, so the started shell becomes the application.
cd /src/main
export QT_QPA_PLATFORM=offscreen MOUSE_DRIVER_DEBUG=1 XDG_RUNTIME_DIR=/tmp/md-run
mkdir -m 700 -p /tmp/md-run
./run.sh --demo >/tmp/run.log 2>&1 &
pid=\$!
for i in \$(seq 1 1200); do
    grep -q "main window shown" /tmp/run.log && break
    kill -0 \$pid 2>/dev/null || break
    sleep 1
done
sleep $run_seconds
kill -TERM \$pid 2>/dev/null
wait \$pid
echo \$? >/tmp/run.exit
EOF
in_root 'bash /tmp/run-check.sh' || true
log="$cache/run.log"
cp "$root/tmp/run.log" "$log" 2>/dev/null || : >"$log"
if ! grep -q "main window shown" "$log" 2>/dev/null; then
    tail -n 30 "$log" 2>/dev/null
    step_fail "the window was never shown"
fi
code=$(cat "$root/tmp/run.exit" 2>/dev/null || echo none)
if [ "$code" != 0 ]; then
    tail -n 30 "$log"
    step_fail "the program did not end cleanly on SIGTERM (exit code $code)"
fi
step_ok
echo "clean-root check passed"
