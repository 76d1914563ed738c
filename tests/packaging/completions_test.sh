#!/usr/bin/env bash
# The shell completions of mouse-driver-cli: the bash one is loaded into bash and asked for verbs,
# options, device kinds and profile names; the zsh and fish ones are checked the same way when
# those shells are installed (else only said to be left out). The options must be those of the
# tool's option table, the verbs those of its --help, and the profile names those of a list file
# that the tool itself wrote into a scratch data folder.
# Usage: completions_test.sh SOURCE_DIR CLI_BINARY
set -euo pipefail
src=$1
cli=$2
completions=$src/packaging/completions
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME=$scratch/home XDG_DATA_HOME=$scratch/data XDG_CONFIG_HOME=$scratch/config
export XDG_RUNTIME_DIR=$scratch DBUS_SESSION_BUS_ADDRESS= LC_ALL=C.UTF-8
mkdir -p "$HOME"

# What the completions must offer, from the tool: its option table and the verbs of its --help
# (the lines of the verbs section that start with a word, less the headings ending in ':').
mapfile -t want_options < <(grep -o '{"--[a-z-]*"' "$src/src/cli/cli_options.cpp" | tr -d '{"' | sort)
[ ${#want_options[@]} -ge 10 ] || fail "no option table found in src/cli/cli_options.cpp"
mapfile -t want_verbs < <("$cli" --help | sed -n '/^verbs:/,/^options:/p' | grep -v ':$' |
    sed -n 's/^  \([a-z][a-z-]*\)\([ ,].*\)\{0,1\}$/\1/p' | sort -u)
[ ${#want_verbs[@]} -ge 10 ] || fail "no verbs found in mouse-driver-cli --help"
kinds="headset keyboard keyboard-receiver mouse mousepad receiver"

# Profiles as the tool keeps them: names with a blank, quotes, a backslash and accents.
"$cli" profile add "My Game" >/dev/null || fail "mouse-driver-cli profile add failed"
"$cli" profile add 'Été "x" \ y' >/dev/null || fail "mouse-driver-cli profile add failed"
"$cli" --device keyboard profile add "Typing" >/dev/null || fail "keyboard profile add failed"
mouse_profiles=$(printf '%s\n' "My Game" profile1 'Été "x" \ y' | sort)
keyboard_profiles=$(printf '%s\n' Typing profile1 | sort)

# expect NAME ACTUAL WANTED: both are sorted lists, one item a line.
expect() {
    if [ "$2" != "$3" ]; then
        fail "$1: got
$2
wanted
$3"
    fi
}
sorted() { printf '%s\n' "$@" | sort; }

# --- bash ---
# Completes the words given (the last one is the word at the cursor); prints the candidates.
bash_complete() {
    bash --norc --noprofile -c '
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _mouse_driver_cli
        [ ${#COMPREPLY[@]} -eq 0 ] || printf "%s\n" "${COMPREPLY[@]}"' \
        bash "$completions/mouse-driver-cli.bash" mouse-driver-cli "$@" | sort
}
expect "bash: verbs" "$(bash_complete "")" "$(sorted "${want_verbs[@]}")"
expect "bash: options" "$(bash_complete --)" "$(sorted "${want_options[@]}")"
expect "bash: options after the verb" "$(bash_complete info --dev)" "$(sorted --dev-root --device)"
expect "bash: device kinds" "$(bash_complete --device "")" "$(sorted $kinds)"
expect "bash: --simulate list" "$(bash_complete --simulate mouse,key)" \
    "$(sorted mouse,keyboard mouse,keyboard-receiver)"
expect "bash: sub-verbs after an option's value" "$(bash_complete --device mouse profile "")" \
    "$(sorted list select add delete export dump apply)"
expect "bash: mouse profiles" "$(bash_complete profile select "")" \
    "$(while IFS= read -r n; do printf '%q\n' "$n"; done <<<"$mouse_profiles" | sort)"
expect "bash: a profile by its start" "$(bash_complete --json profile select "My")" 'My\ Game'
expect "bash: keyboard profiles" "$(bash_complete --device keyboard profile select "")" \
    "$keyboard_profiles"
expect "bash: no profiles without a list" "$(XDG_DATA_HOME=$scratch/none bash_complete \
    profile select "")" ""
# Without XDG_DATA_HOME the list is looked for below HOME.
mkdir -p "$HOME/.local/share"
cp -r "$XDG_DATA_HOME/Mouse Driver" "$HOME/.local/share/"
expect "bash: profiles below HOME" "$(env -u XDG_DATA_HOME bash --norc --noprofile -c '
    source "$1"; COMP_WORDS=(mouse-driver-cli --device keyboard profile select ""); COMP_CWORD=5
    _mouse_driver_cli; printf "%s\n" "${COMPREPLY[@]}"' bash "$completions/mouse-driver-cli.bash" |
    sort)" "$keyboard_profiles"
expect "bash: keyboard settings" "$(bash_complete --device keyboard settings set wasd "")" \
    "$(sorted on off)"
bash -n "$completions/mouse-driver-cli.bash" || fail "bash -n"

# --- zsh: the completion function, with the completion system's builtins standing in ---
if command -v zsh >/dev/null 2>&1; then
    zsh -n "$completions/_mouse-driver-cli" || fail "zsh -n"
    zsh_complete() {
        zsh -f -c '
            compadd() {
                local a
                if [[ $1 == -a ]]; then shift; for a; do print -rl -- "${(@P)a}"; done
                else [[ $1 == - ]] && shift; print -rl -- "$@"; fi
            }
            _describe() { local arr=${@[-1]}; print -rl -- "${(@)${(@P)arr}%%:*}" }
            _files() { print -r -- "<files>" }
            _directories() { print -r -- "<directories>" }
            _message() { }
            _sequence() { shift 3; compadd "$@" }
            fpath=("$1" $fpath); shift
            autoload -U _mouse-driver-cli
            words=(mouse-driver-cli "$@"); CURRENT=$#words; PREFIX=$words[-1]
            _mouse-driver-cli' zsh "$completions" "$@" | grep -v '^$' | sort
    }
    expect "zsh: verbs" "$(zsh_complete "")" "$(sorted "${want_verbs[@]}")"
    expect "zsh: options" "$(zsh_complete --)" "$(sorted "${want_options[@]}")"
    expect "zsh: device kinds" "$(zsh_complete --device "")" "$(sorted $kinds)"
    expect "zsh: mouse profiles" "$(zsh_complete profile select "")" "$mouse_profiles"
    expect "zsh: keyboard profiles" "$(zsh_complete --device keyboard profile select "")" \
        "$keyboard_profiles"
    expect "zsh: a file to apply" "$(zsh_complete profile apply "")" "<files>"
else
    echo "zsh not installed: its completion is not checked"
fi

# --- fish: its own completion engine ---
if command -v fish >/dev/null 2>&1; then
    fish -n "$completions/mouse-driver-cli.fish" || fail "fish -n"
    fish_complete() {
        fish --no-config -c 'source $argv[1]; complete -C"$argv[2]"' \
            "$completions/mouse-driver-cli.fish" "mouse-driver-cli $*" | cut -f1 | sort
    }
    expect "fish: verbs" "$(fish_complete "")" "$(sorted "${want_verbs[@]}")"
    expect "fish: options" "$(fish_complete --)" "$(sorted "${want_options[@]}")"
    expect "fish: device kinds" "$(fish_complete --device "")" "$(sorted $kinds)"
    expect "fish: --simulate list" "$(fish_complete --simulate mouse,key)" \
        "$(sorted mouse,keyboard mouse,keyboard-receiver)"
    expect "fish: mouse profiles" "$(fish_complete profile select "")" "$mouse_profiles"
    expect "fish: keyboard profiles" "$(fish_complete --device keyboard profile select "")" \
        "$keyboard_profiles"
else
    echo "fish not installed: its completion is not checked"
fi

[ $failures -eq 0 ] || { echo "$failures completion check(s) failed" >&2; exit 1; }
echo "completions: all checks passed"
