# SPDX-License-Identifier: Apache-2.0
# bash completion for orvantis, the VPD tool of the management controller.
# Installed as share/bash-completion/completions/orvantis; it can also be sourced directly.
# It needs nothing from the bash-completion package.

# The FRU ids the VPD database knows: the first column of `orvantis -l`, header skipped.
# $1 is the command as typed, so a build-tree binary lists its own database.
_orvantis_fru_ids()
{
    "$1" -l 2>/dev/null | awk 'NR > 1 && $1 ~ /^[0-9]/ { print $1 }'
}

# The field numbers of the FRU and block named on the line so far: the first column of `-n`.
_orvantis_field_numbers()
{
    local cmd=$1; shift
    "$cmd" "$@" -n 2>/dev/null | awk '$2 == ":" { print $1 + 0 }'
}

_orvantis()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=
    local prev2=
    (( COMP_CWORD >= 1 )) && prev=${COMP_WORDS[COMP_CWORD-1]}
    (( COMP_CWORD >= 2 )) && prev2=${COMP_WORDS[COMP_CWORD-2]}
    local cmd=${COMP_WORDS[0]}
    # The fields -g and -G take by name, each with the type letter -G requires: the tool's table
    # of named fields (src/fields/named_fields.cpp), which tests/docs_test.cpp holds this to.
    local named='mtm:s sn:s hwrev:b uuid:b posid:b vpdid:b uefiid:s'
    COMPREPLY=()

    # The word after -c's asciiFile is its rawFile.
    if [[ $prev2 == -c ]]; then
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -f -- "$cur"))
        return
    fi

    case $prev in
        -w|-r|-c)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -f -- "$cur"))
            return
            ;;
        -g)
            COMPREPLY=($(compgen -W "${named//:?/}" -- "$cur"))
            return
            ;;
        -G)
            # The first word of the "id type data" argument, quoted as -O's number is (below),
            # offered with and without the type letter the name takes.
            COMPREPLY=($(compgen -W "${named//:?/}" -- "${cur#\"}"))
            if (( ${#COMPREPLY[@]} == 1 )); then
                local type=" $named"
                type=${type#* "$COMPREPLY":}
                COMPREPLY=("\"$COMPREPLY " "\"$COMPREPLY ${type:0:1} ")
                compopt -o nospace 2>/dev/null
            fi
            return
            ;;
        -i)
            COMPREPLY=($(compgen -W "$(_orvantis_fru_ids "$cmd")" -- "$cur"))
            return
            ;;
        -b)
            COMPREPLY=($(compgen -W '0 1 2 3 4 5 6 7' -- "$cur"))
            return
            ;;
        -y)
            COMPREPLY=($(compgen -W '256 1024' -- "$cur"))
            return
            ;;
        -o|-O)
            # Field numbers of the FRU and block chosen so far on the line.
            local -a sel=()
            local i
            for (( i = 1; i < COMP_CWORD - 1; i++ )); do
                case ${COMP_WORDS[i]} in
                    -i|-b|-y) sel+=("${COMP_WORDS[i]}" "${COMP_WORDS[i+1]}") ;;
                    -i?*|-b?*|-y?*) sel+=("${COMP_WORDS[i]}") ;;  # value attached: -b1
                    -B|-E) sel+=("${COMP_WORDS[i]}") ;;
                esac
            done
            local numbers=$(_orvantis_field_numbers "$cmd" "${sel[@]}")
            COMPREPLY=($(compgen -W "$numbers" -- "${cur#\"}"))
            if [[ $prev == -O && ${#COMPREPLY[@]} == 1 ]]; then
                # The number opens the "NUM type data" argument, which must stay one word. Offering
                # it with each type letter inserts their common part, the quote, number and blank,
                # and keeps readline from closing the quote. Only a single number is quoted, so a
                # common prefix of several never inserts a lone quote.
                COMPREPLY=("\"$COMPREPLY b " "\"$COMPREPLY s ")
                compopt -o nospace 2>/dev/null
            fi
            return
            ;;
    esac

    # Every option the tool takes, in the usage text's order: the rows of its mode table and its
    # other options (src/cli/dispatch.cpp, command_line.cpp), which tests/docs_test.cpp holds this to.
    if [[ $cur == -* || -z $cur ]]; then
        COMPREPLY=($(compgen -W '-p -E -b -i -B -n -o -O -g -G -c -w -r -l -s -S -y -f -e -P -h' \
            -- "$cur"))
    fi
}

complete -F _orvantis orvantis
