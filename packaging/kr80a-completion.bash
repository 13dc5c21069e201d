# bash completion for kr80a -*- shell-script -*-
# Self-contained: works with or without the bash-completion package.

# A data root as typed, with a leading ~/ expanded as the shell would.
_kr80a_root()
{
    local root=$1
    [[ $root == "~/"* ]] && root=$HOME/${root#"~/"}
    printf '%s' "$root"
}

# The measurement folders of a data root, for report --folder.
_kr80a_folders()
{
    local dir
    for dir in "$(_kr80a_root "$1")"/*/; do
        [[ -d $dir ]] || continue
        dir=${dir%/}
        printf '%s\n' "${dir##*/}"
    done
}

# The item ids of a data root, for show: the numbers in brackets of `kr80a tree`.
_kr80a_ids()
{
    local line
    "$1" tree "$(_kr80a_root "$2")" 2>/dev/null | while IFS= read -r line; do
        line=${line#"${line%%[![:space:]]*}"}
        [[ $line =~ ^\[([0-9]+)\] ]] && printf '%s\n' "${BASH_REMATCH[1]}"
    done
}

# A comma-separated list of panel keys: completes the part after the last comma.
_kr80a_keys()
{
    local cur=$1 head="" key
    [[ $cur == *,* ]] && head=${cur%,*},
    for key in left right enter shift+left shift+right shift+up shift+down shift+enter; do
        [[ $head$key == "$cur"* ]] && COMPREPLY+=("$head$key")
    done
    compopt -o nospace 2>/dev/null
}

# Files for -o, with the endings the command writes.
_kr80a_files()
{
    local IFS=$'\n' ending
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -d -- "$1"))
    for ending in "${@:2}"; do
        COMPREPLY+=($(compgen -f -X "!*.$ending" -- "$1"))
    done
}

_kr80a()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local IFS=$'\n'
    COMPREPLY=()
    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W $'tree\nshow\nexport\nreport\nsummary\n--help' -- "$cur"))
        return
    fi
    local command=${COMP_WORDS[1]} options="" valued=""
    case $command in
        tree) options=$'--json\n--help' ;;
        show) options=$'--keys\n--json\n-o\n--help' valued=" --keys -o " ;;
        export) options=$'--format\n--force\n--quiet\n--help' valued=" --format " ;;
        report) options=$'-o\n--folder\n--quiet\n--help' valued=" -o --folder " ;;
        summary) options=$'-o\n--help' valued=" -o " ;;
        *) return ;;
    esac

    # The words before the cursor that are neither options nor their values.
    local positional=() i
    for ((i = 2; i < COMP_CWORD; i++)); do
        local word=${COMP_WORDS[i]}
        if [[ $valued == *" $word "* ]]; then
            ((i++))
        elif [[ $word != -* ]]; then
            positional+=("$word")
        fi
    done

    if [[ $valued == *" $prev "* ]]; then
        case $command:$prev in
            show:--keys) _kr80a_keys "$cur" ;;
            show:-o) _kr80a_files "$cur" png bmp ;;
            report:-o) _kr80a_files "$cur" pdf ;;
            summary:-o) _kr80a_files "$cur" csv ;;
            export:--format) COMPREPLY=($(compgen -W $'png\nbmp' -- "$cur")) ;;
            report:--folder)
                [[ ${#positional[@]} -ge 1 ]] &&
                    COMPREPLY=($(compgen -W "$(_kr80a_folders "${positional[0]}")" -- "$cur")) ;;
        esac
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command:${#positional[@]} in
        *:0 | export:1)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -d -- "$cur")) ;;
        show:1)
            COMPREPLY=($(compgen -W "$(_kr80a_ids "${COMP_WORDS[0]}" "${positional[0]}")" -- "$cur")) ;;
    esac
}
complete -F _kr80a kr80a
