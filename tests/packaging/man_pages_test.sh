#!/usr/bin/env bash
# The manual pages render cleanly in any locale: their source is ASCII (other characters are
# written as groff escapes or spelt out), groff warns about nothing, man shows them under
# LANG=C without a message and in ASCII, and mandoc's lint finds no warning. Each tool
# that is not installed is left out.
# Usage: man_pages_test.sh PAGE...
set -euo pipefail
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for page in "$@"; do
    name=$(basename "$page")
    if LC_ALL=C grep -n '[^[:print:][:space:]]' "$page" >&2; then
        fail "$name: characters outside ASCII (write them as groff escapes)"
    fi
    if command -v groff >/dev/null 2>&1; then
        out=$(groff -man -ww -z "$page" 2>&1) || fail "$name: groff failed"
        [ -z "$out" ] || fail "$name: groff warns:
$out"
        # Special characters (escapes included) that the plain terminal device cannot draw.
        out=$(groff -man -ww -Tascii "$page" 2>&1 >/dev/null) || fail "$name: groff -Tascii failed"
        [ -z "$out" ] || fail "$name: groff -Tascii warns:
$out"
    fi
    if command -v man >/dev/null 2>&1; then
        err=$(mktemp)
        text=$(LANG=C LC_ALL=C MANWIDTH=80 man -l "$page" 2>"$err" || true)
        [ ! -s "$err" ] || fail "$name: man -l under LANG=C says: $(cat "$err")"
        rm -f "$err"
        [ -n "$text" ] || fail "$name: man -l rendered nothing"
        if LC_ALL=C grep -n '[^[:print:][:space:]]' <<<"$text" >&2; then
            fail "$name: man -l under LANG=C shows characters outside ASCII"
        fi
    fi
    if command -v mandoc >/dev/null 2>&1; then
        out=$(mandoc -T lint -W warning "$page" 2>&1) || fail "$name: mandoc -T lint:
$out"
    fi
done

[ $failures -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "manual pages: all checks passed"
