#!/usr/bin/env bash
# Runs under dbus-run-session: starts mouse-driver, starts it again and checks that the second
# start activates the first over the session bus and ends with exit code 0 without a window.
set -euo pipefail
exe="$1"
tmp=$(mktemp -d)
trap 'kill "$first" 2>/dev/null || true; rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp"
export QT_QPA_PLATFORM=offscreen MOUSE_DRIVER_DEBUG=1
service=org.mousedriver.MouseDriver

"$exe" 2>"$tmp/first.log" &
first=$!
owned() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$service" 2>/dev/null | grep -q 'boolean true'
}
for _ in $(seq 1 300); do owned && break; sleep 0.1; done
owned || { echo "first instance never owned $service"; cat "$tmp/first.log"; exit 1; }

set +e
timeout 60 "$exe" 2>"$tmp/second.log"
rc=$?
set -e
[ "$rc" -eq 0 ] || { echo "second start exited with $rc"; cat "$tmp/second.log"; exit 1; }
grep -q "windowinit" "$tmp/second.log" && { echo "second start built a window"; exit 1; }

for _ in $(seq 1 100); do grep -q "activation request" "$tmp/first.log" && break; sleep 0.1; done
grep -q "activation request" "$tmp/first.log" || { echo "first instance not activated"; cat "$tmp/first.log"; exit 1; }
kill -0 "$first" || { echo "first instance ended"; exit 1; }

# The WorkTool block: 1024 bytes, version 2.3.0.2 first.
reply=$(dbus-send --session --print-reply --dest=$service /org/mousedriver/MouseDriver \
    org.mousedriver.MouseDriver.QueryWorkTool)
echo "$reply" | tr -s ' \n' ' ' | grep -q 'array of bytes \[ 02 00 00 00 03 00 00 00 00 00 00 00 02 00 00 00 04' \
    || { echo "unexpected WorkTool answer: $reply"; exit 1; }
# SIGTERM (logout) ends the program in order, exit code 0.
kill -TERM "$first"
set +e
timeout 30 tail --pid="$first" -f /dev/null
wait "$first"
rc=$?
set -e
[ "$rc" -eq 0 ] || { echo "first instance ended with $rc after SIGTERM"; exit 1; }
echo "ok"
