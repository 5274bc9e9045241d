# bash completion for kinloom-cli
_kinloom_cli() {
    local cur prev words cword
    _init_completion || return

    local commands="index cat decompress neighborhoods demo sims show set check export-clone import-clone export"
    local discovery="--user-data --wine-prefix /l"

    case $prev in
        --user-data | --wine-prefix)
            _filedir -d
            return
            ;;
        --csv | --json)
            _filedir
            return
            ;;
        --groups)
            # A comma-separated list: complete the last name, keep the ones before it.
            local groups=all,character,personality,aspiration,skills,interests,job,body,university,genes,attraction,hobbies,needs
            local typed=${cur##*,} done=""
            [[ $cur == *,* ]] && done=${cur%,*},
            mapfile -t COMPREPLY < <(IFS=, compgen -P "$done" -W "$groups" -- "$typed")
            compopt -o nospace 2>/dev/null
            return
            ;;
        --sims | /l)
            return
            ;;
    esac

    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    local options=""
    case ${words[1]} in
        index | cat | decompress) _filedir package; return ;;
        neighborhoods) options="--all --verbose $discovery" ;;
        demo) options="--sims --every-pair" ;;
        sims | show) options="$discovery" ;;
        set) options="--dry-run --force $discovery" ;;
        check) options="--json --fix --dry-run --force $discovery" ;;
        export-clone) options="--replace $discovery" ;;
        export) options="--csv --json --replace $discovery" ;;
        import-clone) options="--groups --dry-run --force $discovery" ;;
    esac
    if [[ $cur == -* || $cur == /* && ${#cur} -le 2 ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    _filedir
} &&
    complete -F _kinloom_cli kinloom-cli
