# A fresh minimal Debian 12 root for the checks under scripts/: unpacked from a cached
# `debootstrap --variant=minbase` tarball (made on first use), with /proc, /sys, /dev and
# /dev/pts bound in. Whatever happens (success, failure, Ctrl-C, SIGTERM) the mounts are undone
# in reverse order and the root is removed, unless `keep=1` was set.
#
# Source it from a bash script running with `set -euo pipefail`, after setting
#   check_name   the script's name, for messages
#   keep         1 to leave the root in place (its path is printed)
# then call clean_root_create; run commands inside with in_root 'command', and check the
# desktop application with run_window_check.
# Environment:
#   MD_CHECK_CACHE   folder of the cached minimal root (default /var/cache/mouse-driver-check)
#   MD_CHECK_MIRROR  Debian mirror (default http://deb.debian.org/debian)

cache=${MD_CHECK_CACHE:-/var/cache/mouse-driver-check}
mirror=${MD_CHECK_MIRROR:-http://deb.debian.org/debian}
keep=${keep:-0}
root=""
mounted=()

clean_root_require() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "$check_name: needs root (debootstrap, chroot, mount)" >&2
        exit 2
    fi
    local tool
    for tool in debootstrap chroot tar mount umount findmnt "$@"; do
        command -v "$tool" >/dev/null || { echo "$check_name: $tool is missing" >&2; exit 2; }
    done
}

clean_root_cleanup() {
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
trap clean_root_cleanup EXIT
trap 'exit 130' INT TERM

step_start=0
step() {
    step_start=$(date +%s)
    printf '%-44s ' "$1"
}
step_ok() {
    printf 'ok (%ds)\n' $(($(date +%s) - step_start))
}
step_fail() {
    printf 'FAILED (%ds)\n' $(($(date +%s) - step_start))
    [ -n "${1:-}" ] && echo "  $1"
    exit 1
}

# The cached root, a fresh copy of it, and the bind mounts: three steps.
clean_root_create() {
    local base="$cache/bookworm-minbase.tar"
    step "minimal Debian 12 root (cache)"
    mkdir -p "$cache"
    if [ ! -s "$base" ]; then
        local staging="$cache/staging"
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
}

# Runs a bash command line inside the root with a clean environment.
in_root() {
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 /bin/bash -c "$1"
}

# Starts the desktop application inside the root (setup: shell lines run first; command: the
# start, whose output goes to the log), waits up to max_wait seconds for its window, lets it run
# $run_seconds seconds, sends SIGTERM and requires exit code 0. The output is copied to log.
# Usage: run_window_check SETUP COMMAND LOG MAX_WAIT
run_window_check() {
    local setup=$1 command=$2 log=$3 max_wait=$4
    cat >"$root/tmp/run-check.sh" <<EOF
#!/bin/bash
$setup
$command >/tmp/run.log 2>&1 &
pid=\$!
for i in \$(seq 1 $max_wait); do
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
    cp "$root/tmp/run.log" "$log" 2>/dev/null || : >"$log"
    if ! grep -q "main window shown" "$log" 2>/dev/null; then
        tail -n 30 "$log" 2>/dev/null
        step_fail "the window was never shown"
    fi
    local code
    code=$(cat "$root/tmp/run.exit" 2>/dev/null || echo none)
    if [ "$code" != 0 ]; then
        tail -n 30 "$log"
        step_fail "the program did not end cleanly on SIGTERM (exit code $code)"
    fi
}
