# fish completion for mouse-driver-cli: verbs, their sub-verbs, the options of
# src/cli/cli_options.cpp, device kinds and the profile names of the data folder.

# The verb and its arguments before the cursor, one a line, without options and their values
# (options may come before or after the verb).
function __mouse_driver_cli_args
    set -l tokens (commandline -opc)
    set -e tokens[1]
    set -l skip 0
    for t in $tokens
        if test $skip = 1
            set skip 0
            continue
        end
        switch $t
            case --device --sysfs-root --dev-root --simulate --sim-state --script --service \
                --ca-file --brightness --speed --direction --colour --group
                set skip 1
            case '-*'
            case '*'
                printf '%s\n' $t
        end
    end
end

# True when the arguments before the cursor are exactly $argv.
function __mouse_driver_cli_at
    set -l args (__mouse_driver_cli_args)
    test "$args" = "$argv"
end

# True when the arguments before the cursor, joined by blanks, match the regular expression $argv.
function __mouse_driver_cli_match
    string match -qr -- "$argv" (string join ' ' -- (__mouse_driver_cli_args))
end

# The --device value on the command line, empty when there is none.
function __mouse_driver_cli_device
    set -l tokens (commandline -opc)
    set -l device
    for i in (seq 2 (math (count $tokens) - 1))
        test "$tokens[$i]" = --device; and set device $tokens[(math $i + 1)]
    end
    printf '%s\n' $device
end

function __mouse_driver_cli_keyboard
    contains -- (__mouse_driver_cli_device) keyboard keyboard-receiver
end

# The profile names of the device kind on the command line (the mouse without --device), read
# from the list file the program keeps in the user's data folder. Nothing when it has none.
function __mouse_driver_cli_profiles
    set -l folder mouse
    switch (__mouse_driver_cli_device)
        case keyboard keyboard-receiver
            set folder keyboard
        case mousepad
            set folder MousePad
        case headset
            set folder headset
    end
    set -l data $XDG_DATA_HOME
    test -n "$data"; or set data $HOME/.local/share
    set -l list "$data/Mouse Driver/$folder/ProfileList.ini"
    test -r $list; or return 0
    # The list is JSON written one member a line: "profilename" : "NAME",
    # JSON escapes: \" here, the rest (\\, \uXXXX, \n ...) through printf %b.
    for value in (string replace -rf '^\s*"profilename"\s*:\s*"(.*)"\s*,?\s*$' '$1' <$list)
        printf '%b\n' (string replace -a '\\"' '"' -- $value)
    end
end

# --simulate takes a comma-separated list: the kinds after what is typed up to its last comma.
function __mouse_driver_cli_simulate
    set -l head (string match -r '^.*,' -- (commandline -ct))
    for kind in mouse receiver keyboard keyboard-receiver mousepad headset
        printf '%s%s\n' "$head" $kind
    end
end

set -l c mouse-driver-cli
complete -c $c -f

# Options (src/cli/cli_options.cpp).
complete -c $c -s h -l help -d 'Print the verbs and options'
complete -c $c -l version -d 'Print the version'
complete -c $c -l json -d 'Machine-readable output'
complete -c $c -l trace -d 'Print every command packet and reply'
complete -c $c -l multicolour -d 'Lighting in several colours'
complete -c $c -l device -x -a 'mouse receiver keyboard keyboard-receiver mousepad headset' \
    -d 'The device to use'
complete -c $c -l sysfs-root -x -a '(__fish_complete_directories)' \
    -d 'Read HID interfaces from another sysfs tree'
complete -c $c -l dev-root -x -a '(__fish_complete_directories)' \
    -d 'Open device nodes below another folder'
complete -c $c -l simulate -x -a '(__mouse_driver_cli_simulate)' \
    -d 'Use virtual devices instead of hardware'
complete -c $c -l sim-state -r -F -d "Keep the virtual devices' memory in a file"
complete -c $c -l script -x -d 'Plug and unplug virtual devices on a time line (watch)'
complete -c $c -l service -x -d "The update service's base address (update-check)"
complete -c $c -l ca-file -r -F -d 'Trust the CAs of this PEM file (update-check)'
complete -c $c -l brightness -x -a '0 1 2 3 4' -d 'Lighting brightness'
complete -c $c -l speed -x -a '0 1 2 3 4' -d 'Lighting speed'
complete -c $c -l direction -x -a '0 1' -d 'Lighting direction'
complete -c $c -l colour -x -d 'Lighting colour RRGGBB'
complete -c $c -l group -x -a '1 2 3' -d 'Custom colour group (keyboard)'

# Verbs.
set -l top '__mouse_driver_cli_at'
complete -c $c -n $top -a list -d 'Every HID collection'
complete -c $c -n $top -a info -d 'Device information, key count, macro capacity, power'
complete -c $c -n $top -a watch -d 'Print arrival and removal of devices'
complete -c $c -n $top -a settings -d 'The settings block, decoded'
complete -c $c -n $top -a dpi -d 'DPI stages'
complete -c $c -n $top -a polling -d 'Report rate'
complete -c $c -n $top -a lighting -d 'Lighting effect'
complete -c $c -n $top -a keys -d 'Button and key functions'
complete -c $c -n $top -a macros -d 'The macros of the device'
complete -c $c -n $top -a recoil -d 'Recoil tables'
complete -c $c -n $top -a profile -d 'Profiles'
complete -c $c -n $top -a update-check -d 'Ask for newer software and firmware'
complete -c $c -n $top -a headset -d 'Equaliser, microphone and monitoring'

# Their arguments.
complete -c $c -n '__mouse_driver_cli_at dpi' -a 'set active enable disable'
complete -c $c -n '__mouse_driver_cli_at dpi set; or __mouse_driver_cli_at dpi active;
    or __mouse_driver_cli_at dpi enable; or __mouse_driver_cli_at dpi disable' -a '0 1 2 3 4'
complete -c $c -n '__mouse_driver_cli_at polling; and not __mouse_driver_cli_keyboard' \
    -a '0 1 2 3 4'
complete -c $c -n '__mouse_driver_cli_at polling; and __mouse_driver_cli_keyboard' -a '0 1 2 3'
complete -c $c -n '__mouse_driver_cli_at lighting; and __mouse_driver_cli_keyboard' -a key
complete -c $c -n '__mouse_driver_cli_at keys' -a set
complete -c $c -n '__mouse_driver_cli_at keys set; and not __mouse_driver_cli_keyboard' \
    -a '0 1 2 3 4 5 6 7 8 9 10'
complete -c $c -n '__mouse_driver_cli_match "^keys set \S+\$"; and not __mouse_driver_cli_keyboard' \
    -a 'left right middle forward back wheel-up wheel-down wheel-left wheel-right dpi-up
        dpi-down dpi-cycle dpi-shift disabled default'
complete -c $c -n '__mouse_driver_cli_at settings; and __mouse_driver_cli_keyboard' -a set
complete -c $c -n '__mouse_driver_cli_at settings set; and __mouse_driver_cli_keyboard' \
    -a 'polling winlock wasd sixkeys repeat delay'
complete -c $c -n '__mouse_driver_cli_at settings set winlock; or __mouse_driver_cli_at settings set wasd;
    or __mouse_driver_cli_at settings set sixkeys' -a 'on off'
complete -c $c -n '__mouse_driver_cli_at settings set polling;
    or __mouse_driver_cli_at settings set delay' -a '0 1 2 3'
complete -c $c -n '__mouse_driver_cli_at macros' -a 'list import export upload'
complete -c $c -n '__mouse_driver_cli_at macros import' -F
complete -c $c -n '__mouse_driver_cli_match "^macros export \S+\$"' -F
complete -c $c -n '__mouse_driver_cli_at recoil' -a 'show import export upload'
complete -c $c -n '__mouse_driver_cli_at recoil show; or __mouse_driver_cli_at recoil import;
    or __mouse_driver_cli_at recoil export' -a '0 1 2 3'
complete -c $c -n '__mouse_driver_cli_match "^recoil (import|export) \S+\$"' -F
complete -c $c -n '__mouse_driver_cli_at profile' -a 'list select add delete export dump apply'
complete -c $c -n '__mouse_driver_cli_at profile select' -a '(__mouse_driver_cli_profiles)'
complete -c $c -n '__mouse_driver_cli_at profile export; or __mouse_driver_cli_at profile dump;
    or __mouse_driver_cli_at profile apply' -F
complete -c $c -n '__mouse_driver_cli_at headset' -a 'eq mic monitor'
complete -c $c -n '__mouse_driver_cli_at headset eq' -a set
complete -c $c -n '__mouse_driver_cli_at headset mic; or __mouse_driver_cli_at headset monitor' \
    -a 'mute unmute'
complete -c $c -n '__mouse_driver_cli_at headset eq set' -a '1 2 3 4 5 6 7 8 9 10 11 12 13'
