#!/usr/bin/env bash
# scripts/sign-windows with a throw-away self-signed certificate: the program, the program
# inside the MSI and the MSI carry signatures that verify against that certificate. The
# build's unsigned files are put back afterwards.
# Usage: sign_test.sh SOURCE_FOLDER BUILD_FOLDER
set -euo pipefail
source_dir=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
work=$(mktemp -d)
mapfile -t release <"$build/windows-release.txt"
program=${release[0]}
msi=${release[1]}
zip=${release[2]}
kept=("$program" "$msi")
[ -f "$zip" ] && kept+=("$zip")
for file in "${kept[@]}"; do
    cp -p "$file" "$work/$(basename "$file")"
done
restore() {
    for file in "${kept[@]}"; do
        cp -p "$work/$(basename "$file")" "$file"
    done
    [ -f "$work/$(basename "$zip")" ] || rm -f "$zip"
    rm -rf "$work"
}
trap restore EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
verify() {
    osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.out" 2>&1 ||
        { cat "$work/verify.out"; fail "$2 does not verify"; }
    grep -q "Opalist test signing" "$work/verify.out" || fail "$2 is not signed by the test certificate"
}

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Opalist test signing" \
    -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
"$source_dir/scripts/sign-windows" "$work/cert.pem" "$work/key.pem" "$build" >/dev/null

verify "$program" "the program"
verify "$msi" "the MSI"
mkdir "$work/extracted"
(cd "$work/extracted" && msiextract "$msi" >/dev/null)
inner=$(find "$work/extracted" -name "$(basename "$program")")
[ -n "$inner" ] || fail "no program in the MSI"
verify "$inner" "the program in the MSI"
unzip -q -o "$zip" -d "$work/zip"
for file in "$(basename "$program")" readme.txt LICENSE.txt; do
    [ -f "$work/zip/$file" ] || fail "the zip holds no $file"
done
verify "$work/zip/$(basename "$program")" "the program in the zip"
echo "sign: all checks passed"
