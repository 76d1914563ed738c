#!/usr/bin/env bash
# Runs under dbus-run-session. Two writers at once must keep every update:
#  1. two mouse-driver-cli runs at a time on the virtual mouse (no application);
#  2. mouse-driver-cli next to mouse-driver --demo: the verbs run inside the application, on its
#     virtual mouse, and its own later saves keep what they changed.
# Also: with the application unreachable the tool refuses instead of driving the devices.
set -euo pipefail
app="$1"
cli="$2"
tmp=$(mktemp -d)
first=""
trap '[ -n "$first" ] && kill "$first" 2>/dev/null; rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp"
export QT_QPA_PLATFORM=offscreen
folder="$XDG_DATA_HOME/Mouse Driver/mouse"
good="$tmp/good.json"
cat >"$good" <<'JSON'
{ "profilename": "good", "profileUUID": "x",
  "Device": [ { "ReportStages": { "StageActive": 2 }, "LightInfo": { "Light": 3 } } ] }
JSON

fail() { echo "FAIL: $*"; [ -f "$tmp/app.log" ] && tail -20 "$tmp/app.log"; exit 1; }

# Entries of the list, and whether every entry has its file and no file is left over.
check_list() {
    local expected="$1"
    python3 - "$folder" "$expected" <<'PY'
import json, os, sys
folder, expected = sys.argv[1], int(sys.argv[2])
doc = json.load(open(os.path.join(folder, "ProfileList.ini")))
ids = [e["profileUUID"] for e in doc["profilelist"]]
files = sorted(f for f in os.listdir(folder) if f.endswith(".Json"))
if len(ids) != expected:
    sys.exit(f"list holds {len(ids)} entries, expected {expected}")
if sorted(i + ".Json" for i in ids) != files:
    sys.exit(f"entries and files differ: {len(ids)} entries, {len(files)} files")
PY
}

# 1. Tool and tool, each with its own virtual mouse, on the same data folder.
"$cli" --simulate mouse settings >/dev/null
for round in $(seq 1 10); do
    "$cli" --simulate mouse profile apply "$good" >"$tmp/a.out" 2>&1 &
    a=$!
    "$cli" --simulate mouse profile apply "$good" >"$tmp/b.out" 2>&1 &
    b=$!
    wait "$a" || fail "round $round: first run: $(cat "$tmp/a.out")"
    wait "$b" || fail "round $round: second run: $(cat "$tmp/b.out")"
done
check_list 21 || fail "tool and tool lost updates"

# 2. The application and the tool.
MOUSE_DRIVER_DEBUG=1 "$app" --demo 2>"$tmp/app.log" &
first=$!
owned() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.mousedriver.MouseDriver 2>/dev/null |
        grep -q 'boolean true'
}
for _ in $(seq 1 300); do owned && break; sleep 0.1; done
owned || fail "the application never owned its bus name"
for _ in $(seq 1 300); do "$cli" settings >/dev/null 2>&1 && break; sleep 0.1; done

for round in $(seq 1 5); do
    "$cli" profile apply "$good" >"$tmp/a.out" 2>&1 &
    a=$!
    "$cli" dpi set 0 1600 >"$tmp/b.out" 2>&1 &
    b=$!
    wait "$a" || fail "round $round: apply: $(cat "$tmp/a.out")"
    wait "$b" || fail "round $round: dpi: $(cat "$tmp/b.out")"
done
grep -q 'command line "profile" run for mouse-driver-cli: exit code 0' "$tmp/app.log" ||
    fail "the verbs did not run inside the application"
# Which of the two came last in a round is luck; the DPI change is made once more in order.
"$cli" dpi set 0 1600 >/dev/null || fail "dpi through the application"
"$cli" --json settings >"$tmp/settings.json" || fail "settings through the application"
python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); sys.exit(d["stages"][0]["resolution"] != 1600)' \
    "$tmp/settings.json" || fail "the mouse does not hold 1600 DPI: $(cat "$tmp/settings.json")"
# The application saves its profile on its own (a polling change from its page); what the tool
# changed must survive that.
"$cli" polling 1 >/dev/null || fail "polling through the application"

# Unreachable application: the tool refuses rather than driving the devices beside it.
set +e
env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$tmp/none" "$cli" settings 2>"$tmp/err.txt"
rc=$?
set -e
[ "$rc" -eq 1 ] || fail "unreachable application: exit code $rc"
grep -q "cannot be reached" "$tmp/err.txt" || fail "unreachable application: $(cat "$tmp/err.txt")"

kill -TERM "$first"
wait "$first" || fail "the application ended with an error"
first=""
check_list 26 || fail "tool and application lost updates"
python3 - "$folder" <<'PY' 2>"$tmp/py.err" || fail "the current profile lost the tool's changes: $(cat "$tmp/py.err")"
import json, os, sys
folder = sys.argv[1]
doc = json.load(open(os.path.join(folder, "ProfileList.ini")))
uuid = doc["profilelist"][doc["profileselect"]]["profileUUID"]
node = json.load(open(os.path.join(folder, uuid + ".Json")))["Device"][0]
if node["DPIStages"]["StageDPIs"][0]["StageDPIX"] != 28 or node["ReportStages"]["StageActive"] != 1:
    sys.exit(f"stage 0 at {node['DPIStages']['StageDPIs'][0]['StageDPIX']}, report rate {node['ReportStages']['StageActive']}")
PY
echo ok
