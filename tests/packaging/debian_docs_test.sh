#!/usr/bin/env bash
# The package's changelog and copyright: the changelog's latest entry is this version of the
# package, dated as the metainfo's latest release; the copyright file is machine-readable
# (DEP-5) and carries the same MIT text as LICENSE.
# Usage: debian_docs_test.sh SOURCE_DIR VERSION
set -euo pipefail
src=$1
version=$2
changelog=$src/packaging/debian/changelog
copyright=$src/packaging/debian/copyright
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if command -v dpkg-parsechangelog >/dev/null 2>&1; then
    package=$(dpkg-parsechangelog -l "$changelog" -S Source)
    entry_version=$(dpkg-parsechangelog -l "$changelog" -S Version)
    date=$(date -u -d "$(dpkg-parsechangelog -l "$changelog" -S Date)" +%F)
else
    package=$(sed -n '1s/^\([^ ]*\) .*/\1/p' "$changelog")
    entry_version=$(sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p' "$changelog")
    date=$(date -u -d "$(sed -n 's/^ -- .*>  //p' "$changelog" | head -n 1)" +%F)
fi
[ "$package" = mouse-driver ] || fail "the changelog is of package '$package'"
[ "$entry_version" = "$version" ] ||
    fail "the changelog's latest entry is $entry_version, the project is $version"
release=$(sed -n 's/.*<release version="[^"]*" date="\([^"]*\)".*/\1/p' \
    "$src/packaging/desktop/org.mousedriver.MouseDriver.metainfo.xml.in" | head -n 1)
[ "$date" = "$release" ] ||
    fail "the changelog's latest entry is of $date, the metainfo's latest release of $release"

head -n 1 "$copyright" |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file does not start with the DEP-5 Format line"
grep -qx 'Files: \*' "$copyright" || fail "the copyright file has no 'Files: *' paragraph"
# Every licence named has its own paragraph with the text.
for license in $(sed -n 's/^License: //p' "$copyright" | sort -u); do
    awk -v l="License: $license" '$0 == l { getline; if ($0 ~ /^ /) found = 1 } END { exit !found }' \
        "$copyright" || fail "no text for the licence $license in the copyright file"
done
# The MIT text is LICENSE's, from "Permission" on.
mit=$(awk '/^License: MIT$/ { on = 1; next } /^$/ { on = 0 } on' "$copyright" |
    sed 's/^ //; s/^\.$//')
license_text=$(sed -n '/^Permission/,$p' "$src/LICENSE")
[ -n "$mit" ] && [ "$mit" = "$license_text" ] ||
    fail "the copyright file's MIT text differs from LICENSE"
grep -q "^Copyright (c) .*$(sed -n 's/^Copyright: //p' "$copyright" | head -n 1 | sed 's/ <.*//')" \
    "$src/LICENSE" || fail "LICENSE and the copyright file name different holders"

[ $failures -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "changelog and copyright: all checks passed"
