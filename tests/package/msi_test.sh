#!/usr/bin/env bash
# The per-user MSI under Wine, in a throw-away prefix: installed with the log-on start off, the
# installed program started, upgraded from an earlier version (the choice and the user's files
# kept), removed (only the user's two files left), installed again with the log-on start on by
# default, an earlier version refused, removed again. Then the program in a folder it cannot
# write, as an administrator's install leaves it: its files go to %APPDATA%\Opalist.
# Usage: msi_test.sh SOURCE_FOLDER MSI EARLIER_MSI PROGRAM (the exe the packages hold)
set -euo pipefail
source_dir=$(cd "$1" && pwd)
msi=$2
earlier=$3
program=$4
exe_name=$(basename "$program")
wine_run="$source_dir/scripts/wine-run"
work=$(mktemp -d)
prefix="$work/prefix"
cleanup() {
    WINEPREFIX="$prefix" /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    chmod -R u+w "$work"
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; tail -5 "$work/wine.err" >&2; exit 1; }

echo "== the package asks for no administrator rights"
# Word count bit 8: elevated privileges are not required; no ALLUSERS: a per-user install.
word_count=$(msiinfo suminfo "$msi" | sed -n 's/^Source: \([0-9]*\).*/\1/p')
(( (word_count & 8) != 0 )) || fail "the package asks for elevation (word count $word_count)"
! msiinfo export "$msi" Property | grep -q '^ALLUSERS' || fail "the package sets ALLUSERS"
# The Start menu shortcut takes Opalist's icon from the package.
msiinfo export "$msi" Shortcut | cut -f9 | grep -qx 'opalist\.ico' || fail "the shortcut has no icon"

echo "== a throw-away Wine prefix"
# A copy of the build's prefix, set up once, is much quicker than a new one.
template="${WINEPREFIX:-$source_dir/build/wine}"
WINEPREFIX="$template" "$wine_run" cmd /c exit 0 >/dev/null 2>&1 </dev/null ||
    fail "Wine does not start"
cp -a "$template" "$prefix"
export WINEPREFIX="$prefix"
# Wine's server opens the files. Without the capabilities that let root write past permissions,
# a folder made read-only is read-only for the programs here too. Without a umask, a file is
# kept from others only where the program asks for that.
server=(/usr/lib/wine/wineserver64 -p)
if [ "$(id -u)" -eq 0 ]; then
    server=(setpriv --inh-caps=-all --bounding-set=-dac_override,-dac_read_search "${server[@]}")
fi
(umask 000 && "${server[@]}")
wine() { "$wine_run" "$@" 2>>"$work/wine.err" </dev/null; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

user=$(id -un)
profile="$prefix/drive_c/users/$user"
folder="$profile/AppData/Local/Programs/Opalist"
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Opalist.lnk"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

msiexec() { wine msiexec "$@" /qn || fail "msiexec $* ended with status $?"; }
logon_start() { wine reg query "$run_key" /v Opalist; }
# The "Apps & features" entries of Opalist: a value (DisplayVersion by default) of each.
listed() {
    local hive
    for hive in HKCU HKLM; do
        wine reg query "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s |
            tr -d '\r' | awk -v name="${1:-DisplayVersion}" '/^HK/ { key = $0 }
                /DisplayName.*REG_SZ +Opalist$/ { found[key] = 1 }
                $1 == name { sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, ""); value[key] = $0 }
                END { for (k in found) print value[k] }'
    done
}
listed_versions() { listed DisplayVersion; }
expect_listed() {  # the versions expected in "Apps & features", or none
    local found
    found=$(listed_versions | sort | xargs)
    [ "$found" = "$*" ] || fail "Apps & features lists Opalist as [$found], expected [$*]"
}
expect_installed() {
    [ -f "$folder/$exe_name" ] || fail "no $exe_name in $folder"
    [ -f "$folder/LICENSE.txt" ] || fail "no LICENSE.txt in $folder"
    [ -f "$shortcut" ] || fail "no Start menu shortcut"
}
# Wine keeps of the user-only access list what Unix permissions hold: nothing for others.
expect_users_alone() {
    [ "$(stat -c %A "$1" | cut -c8-10)" = "---" ] || fail "others may use $1: $(stat -c %A "$1")"
}
expect_only_user_files() {
    [ ! -e "$shortcut" ] || fail "the shortcut is left"
    ! logon_start >/dev/null || fail "the log-on start is left"
    ! wine reg query 'HKCU\Software\Opalist' >/dev/null || fail "the installer's key is left"
    expect_listed
    diff <(printf '%s\n' "$@" | sort) <(cd "$folder" && find . -type f | sort) ||
        fail "files left in $folder differ (- expected, + found)"
}

echo "== installed with the log-on start off"
msiexec /i "$(windows_path "$earlier")" AUTOSTART=0
expect_installed
expect_listed 0.1.0
[ "$(listed Publisher)" = "The Opalist team" ] || fail "Apps & features names [$(listed Publisher)] as publisher"
# "Apps & features" shows the icon that the installer publishes with the product.
{ wine reg query 'HKCU\Software\Microsoft\Installer\Products' /s || true
  wine reg query 'HKLM\Software\Classes\Installer\Products' /s || true; } | tr -d '\r' |
    grep -q 'ProductIcon .*opalist\.ico$' || fail "no product icon published"
! logon_start >/dev/null || fail "the log-on start is on although AUTOSTART=0"

echo "== the installed program starts and writes its settings beside itself"
# On Windows the install folder takes the access list of the user's own AppData, the user's
# alone. Wine makes folders from its server's umask, which is none here: close them as Windows
# would, or Opalist rightly keeps its files out of a folder everybody may write.
chmod go-w "$profile/AppData/Local/Programs" "$folder"
OPALIST_EXIT_WHEN_SHOWN=1 wine "C:\\users\\$user\\AppData\\Local\\Programs\\Opalist\\$exe_name" >/dev/null ||
    fail "the installed program ended with status $?"
settings=$(cd "$folder" && ls -- *.ini)
[ "$(wc -l <"$folder/$settings")" -eq 3 ] || fail "the first start wrote no default settings"
expect_users_alone "$folder/$settings"
printf '<00101>\r\n5\r\nCS\r\nnotepad.exe\r\n' >"$folder/$settings"
log="${settings%.ini} error.log"
printf '#1.1.2026 8:00:00# | x.exe | File not found.\r\n' >"$folder/$log"
cp "$folder/$settings" "$folder/$log" "$work/"

echo "== upgraded without AUTOSTART: the choice and the user's files are kept"
msiexec /i "$(windows_path "$msi")"
expect_installed
expect_listed 1.4.4
cmp -s "$folder/$exe_name" "$program" ||
    fail "the upgrade did not replace the program"
! logon_start >/dev/null || fail "the upgrade turned the log-on start on"
cmp -s "$folder/$settings" "$work/$settings" || fail "the upgrade changed the settings file"
cmp -s "$folder/$log" "$work/$log" || fail "the upgrade changed the error log"

echo "== removed: the user's two files stay, nothing else"
msiexec /x "$(windows_path "$msi")"
expect_only_user_files "./$settings" "./$log"
cmp -s "$folder/$settings" "$work/$settings" || fail "the removal changed the settings file"

echo "== installed again: the log-on start is on by default"
msiexec /i "$(windows_path "$msi")"
expect_installed
value=$(logon_start | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
[ "$value" = "\"C:\\users\\$user\\AppData\\Local\\Programs\\Opalist\\$exe_name\"" ] ||
    fail "the log-on start runs [$value]"
wine msiexec /i "$(windows_path "$earlier")" /qn && fail "an earlier version replaced a later one"
expect_listed 1.4.4
msiexec /x "$(windows_path "$msi")"
expect_only_user_files "./$settings" "./$log"

echo "== a program folder that cannot be written: the files live in %APPDATA%\Opalist"
protected="$prefix/drive_c/Program Files/Opalist"
appdata="$profile/AppData/Roaming/Opalist"
mkdir -p "$protected"
cp "$program" "$protected/"
cp "$work/$settings" "$protected/"
chmod a-w "$protected"
start_protected() {
    OPALIST_EXIT_WHEN_SHOWN=1 wine "C:\\Program Files\\Opalist\\$exe_name" >/dev/null ||
        fail "the program ended with status $?"
}
start_protected
# The setup beside the program is carried over once, as a starting point.
cmp -s "$appdata/$settings" "$work/$settings" || fail "the setup beside the program was not carried over"
expect_users_alone "$appdata/$settings"
printf '<01100>\r\n10\r\nEN\r\n' >"$appdata/$settings"
start_protected
[ "$(cat "$appdata/$settings")" = "$(printf '<01100>\r\n10\r\nEN\r')" ] ||
    fail "the setup beside the program was carried over again"
cmp -s "$protected/$settings" "$work/$settings" || fail "the file beside the program was changed"
[ "$(ls -A "$protected" | sort)" = "$(printf '%s\n' "$exe_name" "$settings" | sort)" ] ||
    fail "the program wrote into its read-only folder: $(ls "$protected")"
chmod u+w "$protected"
echo "msi: all checks passed"
