#!/usr/bin/env bash
# Whole-program figures of the desktop application, measured offscreen: CPU (% of one core),
# wake-ups per second (context switches of all its threads), resident memory, the time from
# start to the window being shown, and the hotplug latency from a virtual device's plug to its
# tile. Prints one table. With --x11 the demo is also measured on a real X server (Xvfb), where
# every repaint goes through the X connection; a lighting client that pushes Direct colours to
# every device at 30 frames/s is measured beside the hidden demo; with --tour MINUTES the resident memory over that
# long a session of page switching is measured as well (md_page_tour).
#
# Usage: bench/app_load.sh [--window SECONDS] [--runs N] [--binary PATH] [--x11] [--tour MINUTES]
#   The binary defaults to build/default/bin/mouse-driver (build it with `cmake --build --preset
#   default --target mouse-driver` first). Each state runs in a fresh data, config and runtime
#   folder, so the user's own profiles are never touched.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
window=10
runs=3
binary="$here/build/default/bin/mouse-driver"
x11=0
tour=0
while [ $# -gt 0 ]; do
    case "$1" in
        --window) window=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --binary) binary=$2; shift 2 ;;
        --x11) x11=1; shift ;;
        --tour) tour=$2; shift 2 ;;
        *) echo "usage: $0 [--window SECONDS] [--runs N] [--binary PATH] [--x11] [--tour MINUTES]" >&2
           exit 2 ;;
    esac
done
[ -x "$binary" ] || { echo "no program at $binary (build it first)" >&2; exit 2; }
hz=$(getconf CLK_TCK)

work=$(mktemp -d)
pid=""
xvfb=""
platform=(QT_QPA_PLATFORM=offscreen)
cleanup() {
    [ -n "$pid" ] && kill -TERM "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    [ -n "$xvfb" ] && kill -TERM "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Starts the program in a fresh environment; extra arguments go to the program.
start() {
    local home="$work/run$RANDOM"
    mkdir -p "$home/data" "$home/config" "$home/runtime"
    chmod 700 "$home/runtime"
    # Hidden states assume a notification area, which offscreen and a bare Xvfb lack.
    env -u DBUS_SESSION_BUS_ADDRESS "${platform[@]}" MOUSE_DRIVER_TRAY=1 XDG_DATA_HOME="$home/data" \
        XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" "${extra_env[@]}" \
        "$binary" "$@" >"$home/log" 2>&1 &
    pid=$!
    log="$home/log"
}
stop() {
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=""
}
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
switches() {
    cat /proc/"$pid"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches/ {s += $2} END {print s + 0}'
}
rss_mb() { awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status"; }
wait_for_line() {  # pattern, timeout in s
    local deadline=$(($(date +%s%N) + $2 * 1000000000))
    while ! grep -q "$1" "$log" 2>/dev/null; do
        [ "$(date +%s%N)" -lt "$deadline" ] || return 1
        sleep 0.005
    done
}

# One load measurement: settle, then CPU and switches over the window. With client_port set, a
# lighting client (bench/rgb_client.py) pushes Direct colours to every device at 30 frames/s
# during the window.
client_port=""
client=""
measure() {  # label, program arguments...
    local label=$1
    shift
    local cpu_sum=0 wake_sum=0 rss=0
    for ((r = 0; r < runs; r++)); do
        extra_env=()
        start "$@"
        sleep 3
        if [ -n "$client_port" ]; then
            python3 "$here/bench/rgb_client.py" "$client_port" 30 >/dev/null 2>&1 &
            client=$!
            sleep 2
        fi
        local t0 s0 t1 s1
        t0=$(ticks) s0=$(switches)
        sleep "$window"
        t1=$(ticks) s1=$(switches)
        rss=$(rss_mb)
        if [ -n "$client" ]; then
            kill "$client" 2>/dev/null || true
            wait "$client" 2>/dev/null || true
            client=""
        fi
        stop
        cpu_sum=$(awk -v a="$cpu_sum" -v d=$((t1 - t0)) -v hz="$hz" -v w="$window" \
            'BEGIN {print a + 100 * d / hz / w}')
        wake_sum=$(awk -v a="$wake_sum" -v d=$((s1 - s0)) -v w="$window" 'BEGIN {print a + d / w}')
    done
    printf '| %-44s | %9.2f %% | %9.1f | %7s MB |\n' "$label" \
        "$(awk -v s="$cpu_sum" -v n="$runs" 'BEGIN {print s / n}')" \
        "$(awk -v s="$wake_sum" -v n="$runs" 'BEGIN {print s / n}')" "$rss"
}

echo "| State                                        | CPU (core) | wake-ups/s |      RSS |"
echo "|----------------------------------------------|------------|------------|----------|"
measure "running, no device, window hidden" --hidden
measure "running, no device, window shown"
measure "--demo, four virtual devices, mouse page shown" --demo
measure "--demo, window hidden" --demo --hidden
client_port=$((20000 + RANDOM % 20000))
measure "--demo, hidden, client lighting all at 30/s" --demo --hidden --sdk-port "$client_port"
client_port=""
if [ "$x11" = 1 ]; then
    command -v Xvfb >/dev/null || { echo "--x11 needs Xvfb (apt-get install xvfb)" >&2; exit 2; }
    display=:$((90 + RANDOM % 9))
    Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    sleep 1
    platform=(QT_QPA_PLATFORM=xcb DISPLAY="$display")
    measure "--demo under Xvfb, mouse page shown" --demo
    measure "--demo under Xvfb, window hidden" --demo --hidden
    platform=(QT_QPA_PLATFORM=offscreen)
fi

# Start to window shown, and hotplug latency (diagnostic output on; not part of the load runs).
start_sum=0
latency_sum=0
for ((r = 0; r < runs; r++)); do
    extra_env=(MOUSE_DRIVER_DEBUG=1 "MOUSE_DRIVER_DEMO_SCRIPT=2500 unplug headset; 3500 plug headset")
    t0=$(date +%s%N)
    start --demo
    wait_for_line "main window shown" 30 || { echo "the window was never shown" >&2; exit 1; }
    t1=$(date +%s%N)
    start_sum=$((start_sum + (t1 - t0) / 1000000))
    wait_for_line "demo: plug headset at" 30 || { echo "the plug step never ran" >&2; exit 1; }
    sleep 1
    plugged=$(sed -n 's/.*demo: plug headset at \([0-9]*\).*/\1/p' "$log" | tail -1)
    shown=$(sed -n 's/.*tile shown: headset at \([0-9]*\).*/\1/p' "$log" | tail -1)
    stop
    [ -n "$plugged" ] && [ -n "$shown" ] || { echo "no tile after the plug" >&2; exit 1; }
    latency_sum=$((latency_sum + shown - plugged))
done
echo
echo "| Event                                        | mean of $runs |"
echo "|----------------------------------------------|-----------|"
printf '| %-44s | %6d ms |\n' "start (--demo) to window shown" $((start_sum / runs))
printf '| %-44s | %6d ms |\n' "virtual headset plugged to its tile shown" $((latency_sum / runs))

if [ "$tour" != 0 ]; then
    touring="$(dirname "$binary")/md_page_tour"
    [ -x "$touring" ] || { echo "no md_page_tour beside the program (build it first)" >&2; exit 2; }
    echo
    echo "Page switching for $tour minutes (resident memory):"
    QT_QPA_PLATFORM=offscreen "$touring" "$tour" 2>/dev/null
fi
