#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Makes the release, signs a copy of it with throwaway keys as the maintainer would (dist/ itself
# stays unsigned, as release.sh makes it, never to be published test-signed), then makes it again
# as a second builder would: from the source tarball unpacked in another folder, with another
# time zone, locale and umask, minutes later, against the same static Qt, with the published
# signature attached. Fails with diffoscope's report unless every file in dist/ is the same.
# Also checks what ships: no build folder or home folder inside, nothing for lintian in the .deb,
# the executable in the ZIP byte for byte the one that check-windows.sh tested under Wine; and
# the signatures: Authenticode and OpenPGP accept the release and refuse it a byte changed, a
# signature made for another executable is refused, and the signed executable starts.
# Called by test.sh after the Windows check; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-deps.sh
install_missing diffoscope-minimal lintian unzip osslsigncode openssl softhsm2 \
    libengine-pkcs11-openssl gnupg gpgv
work=$(mktemp -d)
keys=$work/keys
export SOFTHSM2_CONF=$keys/softhsm2.conf GNUPGHOME=$keys/gnupg
export WINEPREFIX=$PWD/build/windows/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
trap 'wineserver -k 2>/dev/null; gpgconf --kill gpg-agent 2>/dev/null; rm -rf "$work"' EXIT

fail() { echo "check-reproducible: $*" >&2; exit 1; }

echo "-- Release, first builder: this checkout"
# Work not yet committed is tried as it stands.
RUNEWRIGHT_TRIAL=1 scripts/release.sh
first=$PWD/dist
version=$(sed -n 's/^Version: //p' "$first"/*.buildinfo)
name=runewright-$version

echo "-- What ships holds nothing of the builder"
unpacked=$work/unpacked
mkdir -p "$unpacked"/{deb,zip}
dpkg-deb -R "$first/runewright_${version}_amd64.deb" "$unpacked/deb"
unzip -q "$first/$name-win64.zip" -d "$unpacked/zip"
# Both builders' folders, the home folder and the static Qt's prefix, and the temporary folder
# Qt was built in.
elsewhere=$work/second/builder
traces=(-e "$PWD" -e "$elsewhere" -e "$HOME/" -e "runewright-qt.")
[[ $(id -un) == root ]] || traces+=(-e "$(id -un)")
if found=$(grep -r -a -l -F "${traces[@]}" "$unpacked"); then
    fail "what ships names the builder: $found"
fi

echo "-- What ships is what was tested"
lintian --fail-on error,warning --info --pedantic "$first/runewright_${version}_amd64.deb" ||
    fail "lintian: errors or warnings in the released .deb"
unsigned=$unpacked/zip/$name-win64/runewright.exe
cmp "$unsigned" build/windows/runewright.exe ||
    fail "the released runewright.exe is not the one tested under Wine"

echo "-- Signing a copy, as the maintainer would, with throwaway keys"
tests/make-signing-keys.sh "$keys"
module=$(dpkg -L libsofthsm2 | grep '/libsofthsm2\.so$' | head -n 1)
fingerprint=$(<"$keys/openpgp-fingerprint")
echo "unsigned release:"
cat "$first/SHA256SUMS"
unsigned_sums=$(cd "$first" && sha256sum -- *)
signed_dist=$work/signed-dist
cp -a "$first" "$signed_dist"
scripts/sign-release.sh --pkcs11-module "$module" --key 'pkcs11:token=release;object=codesign' \
    --cert "$keys/chain.pem" --pin-file "$keys/pin" --openpgp-key "$fingerprint" "$signed_dist"
signature=$signed_dist/$name-win64.exe.sig
! grep -r -a -q -F "$(<"$keys/pin")" "$signed_dist" || fail "the token's PIN is in the signed release"

echo "-- Release, second builder: the source tarball elsewhere, TZ, locale and umask of its own"
mkdir -p "$elsewhere"
tar -xzf "$first/$name.tar.gz" -C "$elsewhere"
(umask 0077 && cd "$elsewhere/$name" &&
    env TZ=Pacific/Kiritimati LANG=C LC_ALL=POSIX scripts/release.sh --signature "$signature")
second=$elsewhere/$name/dist

echo "-- Comparing the signed releases"
# The second builder has the maintainer's signature but not the OpenPGP one over SHA256SUMS.
[[ $(ls -I SHA256SUMS.asc "$signed_dist") == "$(ls "$second")" ]] ||
    fail "the two releases hold different files: $(ls "$signed_dist") against $(ls "$second")"
different=()
for file in "$second"/*; do
    cmp -s "$file" "$signed_dist/${file##*/}" || different+=("${file##*/}")
done
if ((${#different[@]})); then
    for file in "${different[@]}"; do
        diffoscope --text - "$signed_dist/$file" "$second/$file" || true
    done
    fail "a second build differs in ${different[*]}"
fi
(cd "$signed_dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the signed release"
echo "both builders: $(wc -l <"$signed_dist/SHA256SUMS") files identical"

echo "-- Signatures"
signed=$work/signed.exe
unzip -q -p "$signed_dist/$name-win64.zip" "$name-win64/runewright.exe" >"$signed"
# One byte changed in the middle of the executable, or of a file, far from any signature.
with_a_byte_changed() {
    cp "$1" "$2"
    local middle=$(($(stat -c %s "$2") / 2))
    dd if="$1" bs=1 skip="$middle" count=1 status=none | tr '\0-\377' '\1-\377\0' |
        dd of="$2" bs=1 seek="$middle" conv=notrunc status=none
    ! cmp -s "$1" "$2"
}
osslsigncode verify -CAfile "$keys/ca.pem" -in "$signed" >"$work/verify.log" 2>&1 ||
    { cat "$work/verify.log"; fail "osslsigncode does not accept the signed runewright.exe"; }
grep -E '^(Message digest algorithm|Current message digest|Calculated message digest|Signature verification)' \
    "$work/verify.log" | sed 's/^/  /'
with_a_byte_changed "$signed" "$work/changed.exe"
if osslsigncode verify -CAfile "$keys/ca.pem" -in "$work/changed.exe" >"$work/verify.log" 2>&1; then
    fail "osslsigncode accepts runewright.exe with a byte changed"
fi
grep -E 'MISMATCH|^Signature verification' "$work/verify.log" | sed 's/^/  a byte changed: /'

gpg --batch --export "$fingerprint" >"$keys/release.gpg"
gpgv --keyring "$keys/release.gpg" "$signed_dist/SHA256SUMS.asc" "$signed_dist/SHA256SUMS" ||
    fail "gpgv does not accept SHA256SUMS.asc"
with_a_byte_changed "$signed_dist/SHA256SUMS" "$work/SHA256SUMS"
if gpgv --keyring "$keys/release.gpg" "$signed_dist/SHA256SUMS.asc" "$work/SHA256SUMS"; then
    fail "gpgv accepts SHA256SUMS with a byte changed"
fi

echo "-- A signature made for another executable is refused"
with_a_byte_changed "$unsigned" "$work/other-unsigned.exe"
engine=$(openssl version -e | sed -n 's/^ENGINESDIR: "\(.*\)"$/\1/p')/pkcs11.so
osslsigncode sign -pkcs11engine "$engine" -pkcs11module "$module" \
    -key 'pkcs11:token=release;object=codesign' -certs "$keys/chain.pem" -readpass "$keys/pin" \
    -h sha256 -in "$work/other-unsigned.exe" -out "$work/other.exe" >/dev/null 2>&1
osslsigncode extract-signature -pem -in "$work/other.exe" -out "$work/other.sig" >/dev/null
if (cd "$elsewhere/$name" && scripts/release.sh --signature "$work/other.sig") >"$work/refused.log" 2>&1; then
    fail "release.sh --signature takes a signature made for another executable"
fi
grep -A2 'does not fit' "$work/refused.log" || { tail "$work/refused.log"; fail "release.sh failed, but not for the signature"; }

echo "-- The signed executable starts"
unzip -q -o "$signed_dist/$name-win64.zip" -d "$work/signed-zip"
sh tests/window_comes_up.sh wine "$work/signed-zip/$name-win64/runewright.exe"
echo "-- dist/ is the unsigned release"
[[ $(cd "$first" && sha256sum -- *) == "$unsigned_sums" ]] || fail "signing changed dist/"
echo "check-reproducible: all good ($(cd "$signed_dist" && echo *))"
