#!/usr/bin/env bash
# The install layout and the Debian package: cmake --install into a prefix, then the package
# made by CPack, installed into a throw-away root with dpkg, started there, and removed again.
# Usage: package_test.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
export PATH="/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin"

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_files() {  # folder, then the files it must hold, exactly
    local folder=$1; shift
    diff <(printf '%s\n' "$@" | sort) <(cd "$folder" && find . -type f | sort) ||
        fail "the files under $folder differ from the expected ones (- expected, + found)"
}
layout=(bin/opalist
        share/applications/opalist.desktop
        share/icons/hicolor/scalable/apps/opalist.svg
        share/metainfo/org.example.opalist.metainfo.xml
        share/man/man1/opalist.1.gz
        share/doc/opalist/README.md
        share/doc/opalist/opalist-autostart.desktop
        share/doc/opalist/copyright
        share/doc/opalist/changelog.gz)

echo "== cmake --install into a prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
expect_files "$work/prefix" "${layout[@]/#/./}"
grep -qx "License: Expat" "$work/prefix/share/doc/opalist/copyright" || fail "no licence in copyright"
"$work/prefix/bin/opalist" --version | grep -qx "opalist 1.4.4" || fail "--version of the install"

echo "== the Debian package"
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb="$work/package/opalist_1.4.4_amd64.deb"
[ -f "$deb" ] || fail "no $deb"
depends=$(dpkg-deb -f "$deb" Depends)
# libglib2.0-0: GIO finds the application for a document; nothing else (xdg-open) is needed.
for library in libc6 libglib2.0-0 libqt6widgets6 libstdc++6; do
    [[ $depends == *"$library "* ]] || fail "Depends lacks $library: $depends"
done
[ -z "$(dpkg-deb -f "$deb" Recommends)" ] || fail "Recommends: $(dpkg-deb -f "$deb" Recommends)"

echo "== installed into a throw-away root"
root="$work/root"
admin="$root/var/lib/dpkg"
mkdir -p "$admin/info" "$admin/updates"
touch "$admin/status"
dpkg_root=(dpkg --root="$root" --instdir="$root" --admindir="$admin" --log=/dev/null
           --force-not-root --force-depends --force-script-chrootless)
# The root holds no libraries, so the dependencies cannot be met there: dpkg's notes on them
# are expected and kept out of the way.
"${dpkg_root[@]}" -i "$deb" >/dev/null 2>"$work/dpkg.err" || { cat "$work/dpkg.err"; fail "dpkg -i"; }
expect_files "$root/usr" "${layout[@]/#/./}"
grep -q "^Exec=opalist$" "$root/usr/share/doc/opalist/opalist-autostart.desktop" ||
    fail "the log-on entry does not start opalist"

echo "== the installed program, its folder read-only, runs its list from ~/.config/opalist"
chmod a-w "$root/usr/bin"
home="$work/home"
mkdir -p "$home/.config/opalist"
settings="$home/.config/opalist/opalist pkg.ini"
printf '<00101>\r\n3\r\nEN\r\ntrue\r\n' >"$settings"
status=0
env -i HOME="$home" USER=pkg PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen \
    timeout 30 "$root/usr/bin/opalist" 2>/dev/null || status=$?
[ "$status" -eq 0 ] || fail "the installed program ended with status $status"
[ "$(cat "$settings")" = "$(printf '<00101>\r\n3\r\nEN\r\ntrue\r')" ] || fail "settings changed"
[ ! -e "$home/.config/opalist/opalist pkg error.log" ] || fail "a launch of true failed"
expect_files "$root/usr/bin" ./opalist
chmod u+w "$root/usr/bin"

echo "== removed again"
"${dpkg_root[@]}" -r opalist >/dev/null
left=$(find "$root" -path "$admin" -prune -o -type f -print)
[ -z "$left" ] || fail "files left after removal: $left"
echo "package: all checks passed"
