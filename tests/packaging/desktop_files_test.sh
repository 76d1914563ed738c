#!/usr/bin/env bash
# The desktop entry and the AppStream metainfo: one id everywhere (the D-Bus name, the entry's
# file name, the metainfo's id and launchable), one icon name (the entry's, the metainfo's, the
# installed icon's and the autostart entry's), and both files clean for their validators.
# The validators are optional: without either of them the test ends skipped (77) after the
# checks above.
# Usage: desktop_files_test.sh SOURCE_DIR CONFIGURED_METAINFO
set -euo pipefail
src=$1
metainfo=$2
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The id is the program's D-Bus name.
id=$(sed -n 's/.*kService = "\([^"]*\)".*/\1/p' "$src/src/common/dbus_names.h")
[ -n "$id" ] || fail "no D-Bus name found in src/common/dbus_names.h"
desktop=$src/packaging/desktop/$id.desktop
[ -f "$desktop" ] || fail "no desktop entry named after the D-Bus name: $desktop"
[ -f "$metainfo" ] || fail "no metainfo file: $metainfo"
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "metainfo file name is not $id.metainfo.xml"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo's launchable is not $id.desktop"
grep -q "desktop/$id.desktop" "$src/packaging/CMakeLists.txt" ||
    fail "packaging/CMakeLists.txt does not install $id.desktop"

# One icon name.
icon=$(sed -n 's/^Icon=//p' "$desktop" 2>/dev/null)
[ -n "$icon" ] || fail "the desktop entry has no Icon="
grep -q "<icon type=\"stock\">$icon</icon>" "$metainfo" || fail "the metainfo's icon is not $icon"
grep -q "RENAME $icon.svg" "$src/packaging/CMakeLists.txt" ||
    fail "the scalable icon is not installed as $icon.svg"
grep -q "/$icon.png" "$src/packaging/CMakeLists.txt" ||
    fail "the rendered icons are not installed as $icon.png"
grep -q "Icon=$icon" "$src/src/profiles/autostart_entry.cpp" ||
    fail "the autostart entry names another icon than $icon"

# The screenshots named are files of the repository.
for shot in $(sed -n 's|.*/main/\(docs/screenshots/[^<]*\)</image>.*|\1|p' "$metainfo"); do
    [ -f "$src/$shot" ] || fail "screenshot $shot is not in the repository"
done
grep -q '<screenshot type="default">' "$metainfo" || fail "no default screenshot"

[ $failures -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }

ran=0
if command -v desktop-file-validate >/dev/null 2>&1; then
    ran=1
    out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed"
    [ -z "$out" ] || fail "desktop-file-validate: $out"
fi
if command -v appstreamcli >/dev/null 2>&1; then
    ran=1
    # Issues that stay, each for a reason:
    #  cid-contains-uppercase-letter  the id is the D-Bus name, which has capitals
    #  unknown-tag developer          the <developer> element is newer than AppStream 0.16
    #  developer-name-tag-deprecated  <developer_name> stays for AppStream 0.16 readers
    out=$(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1) ||
        fail "appstreamcli validate failed:
$out"
    issues=$(grep -E '^[EWIP]: ' <<<"$out" |
        grep -vE 'cid-contains-uppercase-letter|unknown-tag developer$|developer-name-tag-deprecated' ||
        true)
    [ -z "$issues" ] || fail "appstreamcli validate --pedantic:
$issues"
fi
[ $failures -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
if [ $ran -eq 0 ]; then
    echo "neither desktop-file-validate nor appstreamcli is installed"
    exit 77
fi
echo "desktop entry and metainfo: all checks passed"
