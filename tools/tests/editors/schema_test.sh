#!/bin/bash
# The generated schemas under both validators: the example is valid, and each
# structural mistake below is not (the XML Schema only where it can say so).
# Usage: schema_test.sh EVENTCONFIG EXAMPLE WORKDIR
set -u
exe=$1 example=$2 dir=$3
mkdir -p "$dir"
"$exe" schema >"$dir/EventConfig.rng" || exit 1
"$exe" schema --format xsd >"$dir/EventConfig.xsd" || exit 1

rng() { xmllint --noout --relaxng "$dir/EventConfig.rng" "$1" >/dev/null 2>&1; echo $?; }
jng() { jing "$dir/EventConfig.rng" "$1" >/dev/null 2>&1; echo $?; }
xsd() { xmllint --noout --schema "$dir/EventConfig.xsd" "$1" >/dev/null 2>&1; echo $?; }

failed=0
expect() {  # name, file, expected validity per validator (rng jing xsd; 0 valid, 1 invalid)
    local got="$(rng "$2") $(jng "$2") $(xsd "$2")" want=$3
    got=$(echo "$got" | sed 's/[1-9][0-9]*/1/g')
    if [ "$got" != "$want" ]; then echo "FAIL $1: xmllint-rng jing xmllint-xsd gave $got, expected $want"; failed=1;
    else echo "ok   $1"; fi
}

expect "the example" "$example" "0 0 0"
# name | perl substitution making the mistake | validity under rng jing xsd
while IFS='|' read -r name edit want; do
    [ -z "$name" ] && continue
    broken="$dir/broken.xml"
    perl -0pe "$edit" "$example" >"$broken"
    if cmp -s "$broken" "$example"; then echo "FAIL $name: the edit changed nothing"; failed=1; continue; fi
    expect "$name" "$broken" "$want"
done <<'TABLE'
lists out of order|s{(<MsgList>.*?</MsgList>)(\s*)(<LogFieldList>.*?</LogFieldList>)}{$3$2$1}s|1 1 1
an unknown element|s{<Rule ID="1" InitialActivated="1" PlatType="0">}{$&<Comment/>}|1 1 1
an operation Type with no kind|s{<Operation Type="4"}{<Operation Type="99"}|1 1 0
an action Type with no kind|s{<Action Type="3">}{<Action Type="8">}|1 1 0
a Result that is not TRUE or FALSE|s{<Result Type="TRUE">}{<Result Type="True">}|1 1 1
a hexadecimal Type|s{<Operation Type="6"}{<Operation Type="0x06"}|1 1 1
a kind's element under another kind|s{<Action Type="2"><SystemStateID>(\w+)</SystemStateID>}{<Action Type="2"><EventStateID>$1</EventStateID>}|1 1 0
an id that is no number|s{<Rule ID="1" }{<Rule ID="one" }|1 1 1
a missing Operation|s{<Operation Type="4" Info="connection request">\s*<MsgID>10</MsgID>\s*</Operation>}{}|1 1 1
TABLE
exit $failed
