# bash completion for mouse-driver-cli                               -*- shell-script -*-
# Verbs, their sub-verbs, the options of src/cli/cli_options.cpp, device kinds and the profile
# names of the data folder. Self-contained: works with or without the bash-completion package.

# The profile names of the device kind $1 (a --device value, empty for the mouse), one a line,
# read from the list file the program keeps in the user's data folder. Nothing when it has none.
_mouse_driver_cli_profiles() {
    local folder
    case $1 in
        keyboard | keyboard-receiver) folder=keyboard ;;
        mousepad) folder=MousePad ;;
        headset) folder=headset ;;
        *) folder=mouse ;;
    esac
    local list="${XDG_DATA_HOME:-$HOME/.local/share}/Mouse Driver/$folder/ProfileList.ini"
    [[ -r $list ]] || return 0
    # The list is JSON written one member a line: "profilename" : "NAME",
    local line value
    while IFS= read -r line; do
        [[ $line =~ ^[[:space:]]*\"profilename\"[[:space:]]*:[[:space:]]*\"(.*)\"[[:space:]]*,?[[:space:]]*$ ]] ||
            continue
        value=${BASH_REMATCH[1]}
        # JSON escapes: \" here, the rest (\\, \uXXXX, \n ...) through printf %b.
        value=${value//\\\"/\"}
        printf '%b\n' "$value"
    done <"$list"
}

_mouse_driver_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()

    local value_options="--device --sysfs-root --dev-root --simulate --sim-state --script
        --service --ca-file --brightness --speed --direction --colour --group"
    local options="--help --version --json --trace --multicolour $value_options"
    local kinds="mouse receiver keyboard keyboard-receiver mousepad headset"
    local verbs="list info watch settings dpi polling lighting keys macros recoil profile
        update-check headset"

    # The value of the option before the cursor.
    case $prev in
        --device)
            mapfile -t COMPREPLY < <(compgen -W "$kinds" -- "$cur")
            return 0
            ;;
        --simulate)
            # A comma-separated list: complete its last kind.
            local head=
            [[ $cur == *,* ]] && head=${cur%,*},
            mapfile -t COMPREPLY < <(compgen -P "$head" -W "$kinds" -- "${cur##*,}")
            compopt -o nospace 2>/dev/null
            return 0
            ;;
        --sysfs-root | --dev-root)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return 0
            ;;
        --sim-state | --ca-file)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return 0
            ;;
        --brightness | --speed)
            mapfile -t COMPREPLY < <(compgen -W "0 1 2 3 4" -- "$cur")
            return 0
            ;;
        --direction)
            mapfile -t COMPREPLY < <(compgen -W "0 1" -- "$cur")
            return 0
            ;;
        --group)
            mapfile -t COMPREPLY < <(compgen -W "1 2 3" -- "$cur")
            return 0
            ;;
        --script | --service | --colour)
            return 0
            ;;
    esac

    # The words before the cursor: the verb and its arguments, without options and their values
    # (options may come before or after the verb).
    local -a args=()
    local device= i word
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        case $word in
            --device)
                ((i++))
                device=${COMP_WORDS[i]}
                ;;
            --sysfs-root | --dev-root | --simulate | --sim-state | --script | --service | \
                --ca-file | --brightness | --speed | --direction | --colour | --group)
                ((i++))
                ;;
            -*) ;;
            *) args+=("$word") ;;
        esac
    done

    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
        return 0
    fi

    local keyboard=
    [[ $device == keyboard || $device == keyboard-receiver ]] && keyboard=1
    local words=
    case "${args[0]-}:${#args[@]}" in
        :0) words=$verbs ;;
        dpi:1) words="set active enable disable" ;;
        dpi:2) words="0 1 2 3 4" ;;
        polling:1) if [[ $keyboard ]]; then words="0 1 2 3"; else words="0 1 2 3 4"; fi ;;
        lighting:1) [[ $keyboard ]] && words=key ;;
        keys:1) words=set ;;
        keys:2) [[ $keyboard ]] || words="0 1 2 3 4 5 6 7 8 9 10" ;;
        keys:3)
            [[ $keyboard ]] || words="left right middle forward back wheel-up wheel-down
                wheel-left wheel-right dpi-up dpi-down dpi-cycle dpi-shift disabled default"
            ;;
        settings:1) [[ $keyboard ]] && words=set ;;
        settings:2)
            [[ $keyboard && ${args[1]} == set ]] && words="polling winlock wasd sixkeys repeat delay"
            ;;
        settings:3)
            case ${args[1]}:${args[2]} in
                set:winlock | set:wasd | set:sixkeys) words="on off" ;;
                set:polling | set:delay) words="0 1 2 3" ;;
            esac
            ;;
        macros:1) words="list import export upload" ;;
        recoil:1) words="show import export upload" ;;
        recoil:2) [[ ${args[1]} == show || ${args[1]} == import || ${args[1]} == export ]] &&
            words="0 1 2 3" ;;
        profile:1) words="list select add delete export dump apply" ;;
        headset:1) words="eq mic monitor" ;;
        headset:2)
            case ${args[1]} in
                eq) words=set ;;
                mic | monitor) words="mute unmute" ;;
            esac
            ;;
        headset:3) [[ ${args[1]} == eq ]] && words="1 2 3 4 5 6 7 8 9 10 11 12 13" ;;
    esac

    # Arguments that name a file or a profile.
    case "${args[0]-}:${#args[@]}:${args[1]-}" in
        macros:2:import | macros:3:export | recoil:3:import | recoil:3:export | \
            profile:2:export | profile:2:dump | profile:2:apply)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return 0
            ;;
        profile:2:select)
            # Names may hold blanks and quotes: each is offered quoted for the shell.
            local typed= name
            for ((i = 0; i < ${#cur}; i++)); do
                word=${cur:i:1}
                if [[ $word == \\ ]]; then
                    ((i++))
                    word=${cur:i:1}
                elif ((i == 0)) && [[ $word == [\"\'] ]]; then
                    continue
                fi
                typed+=$word
            done
            while IFS= read -r name; do
                [[ $name == "$typed"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
            done < <(_mouse_driver_cli_profiles "$device")
            return 0
            ;;
    esac

    [[ $words ]] && mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
    return 0
}

complete -F _mouse_driver_cli mouse-driver-cli
