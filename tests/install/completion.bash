# Drives the installed bash completion as readline does: COMP_WORDS and COMP_CWORD set, then
# the function that `complete` names for the program, whose COMPREPLY must hold exactly the
# expected words, each a whole name however many blanks it holds (readline then quotes them,
# as -o filenames asks). Run by shell.cmake in a folder holding font.xml, other files and a
# folder, with the installed programs on the PATH. Argument: the installed completion file.
source /usr/share/bash-completion/bash_completion
source "$1"
failures=0

# expect WORD... => REPLY...: completing the last word gives the replies, in any order. The
# words are split as bash splits them, a ":" or "=" a word of its own that the line holds
# without blanks around it; "(+o filenames)" stands for a call of compopt +o filenames.
expect()
{
    local words=() function got want unquoted=""
    COMP_LINE=""
    while [[ $1 != '=>' ]]; do
        ((${#words[@]})) && [[ $1 != [:=] && ${words[-1]} != [:=] ]] && COMP_LINE+=" "
        COMP_LINE+=$1
        words+=("$1")
        shift
    done
    shift
    COMP_WORDS=("${words[@]}")
    COMP_CWORD=$((${#words[@]} - 1))
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    function=$(complete -p "${words[0]}" | sed -n 's/.* -F \([^ ]*\) .*/\1/p')
    "$function" "${words[0]}" "${words[COMP_CWORD]}" "${words[COMP_CWORD - 1]}"
    [[ -z $unquoted ]] || COMPREPLY+=("$unquoted")
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
    want=$(printf '%s\n' "$@" | sort)
    if [[ $got != "$want" ]]; then
        echo "completing ${words[*]@Q}: got ${COMPREPLY[*]@Q}, expected ${*@Q}"
        ((failures += 1))
    fi
}

# Outside a completion, compopt only says what it was asked.
compopt()
{
    [[ "$1 $2" != "+o filenames" ]] || unquoted="(+o filenames)"
}

# Names that readline would not quote alone, that it breaks at, after --, longer than messages show;
# fonts that are not regular files, and one so large that filtering it in the shell took 25 s.
for name in 'x:y=z' '$(echo)' '~x' -dash "$(printf 'L%.0s' {1..300})"; do
    pixmint-font add font.xml -- "$name"
done
# Names that list printed alike: a backslash and t, a tab; a backslash and x85, U+0085.
for name in 'x\tA' 'c\x85d'; do
    pixmint-font add font.xml "$name"
done
sed -i $'s|</CharSet>|<FontChar Char="x\\&#9;A"/><FontChar Char="c\u0085d"/>&|' font.xml
cp font.xml "folder/a'b.xml"
mkfifo folder/fifo.xml
ln -s /dev/zero folder/zero.xml
awk 'BEGIN { print "<CharSet>"; for (i = 0; i < 200000; i++) printf "<FontChar Char=\"N%06d\"/>\n", i
             print "</CharSet>" }' > folder/big.xml

files=(a.c folder font.xml sheet.png)
expect pixmint-export --layout r '=>' rows rows-msb
expect pixmint-import --layout c '=>' columns columns-msb
expect pixmint-export --display s '=>' ssd1306 sh1106 st7920
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
expect pixmint-font add font.xml new --like = C86 '=>' 'C86  Space'
expect pixmint-export --layout = r '=>' rows rows-msb
expect pixmint-font show font.xml x : '=>' 'y=z'
expect pixmint-font show font.xml x : y = '=>' z
expect pixmint-font show font.xml '"x:' '=>' 'x:y=z'
expect pixmint-font show font.xml '\$' '=>' '\$\(echo\)' '(+o filenames)'
expect pixmint-font show font.xml '\~' '=>' '\~x' '(+o filenames)'
expect pixmint-font show font.xml '"$' '=>' '$(echo)'
expect pixmint-font show font.xml -- - '=>' -dash
expect pixmint-font show font.xml "'x\\\\" '=>' 'x\\tA'
expect pixmint-font delete font.xml "'x\\t" '=>' 'x\tA'
expect pixmint-font show font.xml c '=>' 'c\\x85d' 'c\x85d'
expect pixmint-font show font.xml L '=>' "$(printf 'L%.0s' {1..300})"
expect pixmint-font show "\$'folder/a\\'b.xml'" C27 '=>' 'C27  A'
expect pixmint-font show folder/fifo.xml '' '=>'
expect pixmint-font show folder/zero.xml '' '=>'
times > folder/cpu.before
expect pixmint-font show folder/big.xml N19999 '=>' N19999{0..9}
times > folder/cpu.after
pixmint-font list folder/big.xml > /dev/null
times > folder/cpu.list
# The processor times in milliseconds that times wrote: of this shell, then of its children.
cpu()
{
    local sum
    while read -r sum; do
        echo $((sum))
    done < <(sed -E 's/([0-9]+)m([0-9]+)[.]([0-9]+)s/(\1*60000+10#\2*1000+10#\3)/g; s/ /+/' "$1")
}
cpu=($(cpu folder/cpu.before) $(cpu folder/cpu.after) $(cpu folder/cpu.list))
if ((cpu[2] - cpu[0] > cpu[5] - cpu[3])); then
    echo "completing over 200,000 glyphs took the shell $((cpu[2] - cpu[0])) ms," \
        "listing them $((cpu[5] - cpu[3])) ms"
    ((failures += 1))
fi
for program in pixmint pixmint-export pixmint-import pixmint-font; do
    [[ $(complete -p $program) == *"-o filenames"* ]] ||
        { echo "$program: readline is not asked to quote the replies"; ((failures += 1)); }
done
exit $((failures > 0))
