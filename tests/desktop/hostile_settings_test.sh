#!/usr/bin/env bash
# Whatever the settings file holds, tintwell starts, opens at a sane place
# (the stored one when it is a number on screen, else the default) and
# writes good values when it closes. Both keys get the same stored text.
source "$(dirname "$0")/desktop_lib.sh"
[[ -n ${DISPLAY:-} ]] || { echo "SKIP: no X display"; exit 77; }

default=67 # 1000 twips
long_digits=$(printf '9%.0s' $(seq 10000))
long_junk=$(printf 'x%.0s' $(seq 100000))

# name | locale | stored text (printf format) | expected frame x and y
cases=(
    "empty|C.UTF-8||$default"
    "blanks|C.UTF-8|   |$default"
    "quoted blanks|C.UTF-8|\"   \"|$default"
    "letters|C.UTF-8|abc|$default"
    "beyond single precision|C.UTF-8|1e39|$default"
    "beyond single precision, negative|C.UTF-8|-1e39|$default"
    "nan|C.UTF-8|nan|$default"
    "inf|C.UTF-8|inf|$default"
    "minus inf|C.UTF-8|-inf|$default"
    "10000 digits|C.UTF-8|$long_digits|$default"
    "100000 letters|C.UTF-8|$long_junk|$default"
    "comma decimal, English|en_US.UTF-8|\"1500,5\"|$default"
    "comma list, English|en_US.UTF-8|1500,5|$default"
    "point decimal, German|de_DE.UTF-8|1500.5|$default"
    "comma decimal, German|de_DE.UTF-8|\"1500,5\"|100"
    "control characters|C.UTF-8|\x01\x02\x1b[0m|$default"
    "Arabic-Indic digits|C.UTF-8|\xd9\xa1\xd9\xa5\xd9\xa0\xd9\xa0|$default"
    "fullwidth digits|C.UTF-8|\xef\xbc\x91\xef\xbc\x95\xef\xbc\x90\xef\xbc\x90|$default"
    "not UTF-8|C.UTF-8|\xff\xfe\x31|$default"
    "huge but finite|C.UTF-8|1e30|$default"
    "huge but finite, negative|C.UTF-8|-1e30|$default"
    "hexadecimal|C.UTF-8|0x5DC|$default"
    "trailing letters|C.UTF-8|1500abc|$default"
    "plus sign|C.UTF-8|+1500|100"
    "exponent|C.UTF-8|1.5e3|100"
    "minus zero|C.UTF-8|-0|0"
)

for entry in "${cases[@]}"; do
    IFS='|' read -r name locale text expected <<<"$entry"
    mkdir -p "$XDG_CONFIG_HOME/Tintwell"
    printf "[frmMain]\nLeft=$text\nTop=$text\n" >"$(conf_file)"
    APP_LOCALE=$locale start_app
    at=$(frame_position "$win")
    [[ $at == "$expected $expected" ]] || fail "$name: window frame at $at, expected $expected $expected"
    close_app
    for key in Left Top; do
        value=$(stored $key | tr -d '"')
        [[ $value =~ ^-?[0-9]+([.,][0-9]+)?$ ]] || fail "$name: stored $key=$value"
    done
    echo "ok: $name"
done
echo PASS
