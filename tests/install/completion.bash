# Drives the installed bash completion as readline does: COMP_WORDS and COMP_CWORD set, then
# the function that `complete` names for the program, whose COMPREPLY must hold exactly the
# expected words, each a whole name however many blanks it holds (readline then quotes them,
# as -o filenames asks). Run by shell.cmake in a folder holding font.xml, other files and a
# folder, with the installed programs on the PATH. Argument: the installed completion file.
source /usr/share/bash-completion/bash_completion
source "$1"
failures=0

# expect WORD... => REPLY...: completing the last word gives the replies, in any order.
expect()
{
    local words=() function got want
    while [[ $1 != '=>' ]]; do
        words+=("$1")
        shift
    done
    shift
    COMP_WORDS=("${words[@]}")
    COMP_CWORD=$((${#words[@]} - 1))
    COMP_LINE="${words[*]}"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    function=$(complete -p "${words[0]}" | sed -n 's/.* -F \([^ ]*\) .*/\1/p')
    "$function" "${words[0]}" "${words[COMP_CWORD]}" "${words[COMP_CWORD - 1]}"
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
    want=$(printf '%s\n' "$@" | sort)
    if [[ $got != "$want" ]]; then
        echo "completing ${words[*]@Q}: got ${COMPREPLY[*]@Q}, expected ${*@Q}"
        ((failures += 1))
    fi
}

files=(a.c folder font.xml sheet.png)
expect pixmint-export --layout r '=>' rows rows-msb
expect pixmint-import --layout c '=>' columns columns-msb
expect pixmint-export --pr '=>' --progmem
expect pixmint-export --scale '' '=>'
expect pixmint-export --output '' '=>' "${files[@]}"
expect pixmint-export --check '' '=>' folder font.xml
expect pixmint -- '' '=>' folder font.xml
expect pixmint-import -o '' '=>' folder font.xml
expect pixmint-import '' '=>' "${files[@]}"
expect pixmint-font '' '=>' new list show draw add rename delete
expect pixmint-font --empty new '' '=>' folder font.xml
expect pixmint-font show font.xml C2 '=>' 'C20  t' 'C21  u' 'C22  v' 'C23  w' 'C24  x' \
    'C25  y' 'C26  z' 'C27  A' 'C28  B' 'C29  C'
expect pixmint-font show font.xml 'C27\ \ ' '=>' 'C27  A'
expect pixmint-font delete font.xml '"C27  ' '=>' 'C27  A'
expect pixmint-font show font.xml "'C8" '=>' 'C80  :' 'C81  ²' 'C82  ±' 'C83  @' 'C84  ®' \
    'C85  ©' 'C86  Space'
expect pixmint-font -- rename font.xml "C99\\ \\ \\'q" '=>' "C99  'quote"
expect pixmint-font rename font.xml 'C27  A' C2 '=>'
expect pixmint-font draw font.xml 'C27  A' '' '=>'
expect pixmint-font add font.xml new --like C86 '=>' 'C86  Space'
for program in pixmint pixmint-export pixmint-import pixmint-font; do
    [[ $(complete -p $program) == *"-o filenames"* ]] ||
        { echo "$program: readline is not asked to quote the replies"; ((failures += 1)); }
done
exit $((failures > 0))
