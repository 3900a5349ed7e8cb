#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Signs a release that scripts/release.sh made, for the maintainer who holds the keys.
#
#   sign-release.sh [options] DIST
#
#   --pkcs11-module PATH   the PKCS#11 module of the token that holds the Authenticode key
#   --key URI              that key, e.g. 'pkcs11:token=release;object=codesign'
#   --pkcs12 FILE          the key and certificate in a PKCS#12 file instead, for trials
#   --cert FILE            the certificate chain, where the key does not bring it (needed with
#                          --key); best the whole chain, root included, so that every builder
#                          can check that the signature holds together without a CA of its own
#   --pin-file FILE        the token's PIN or the PKCS#12 password; without it, it is asked for
#                          on the terminal (never give it on the command line)
#   --timestamp URL        an RFC 3161 timestamp server, so the signature outlives the certificate
#   --openpgp-key FPR      also signs SHA256SUMS into SHA256SUMS.asc with this GnuPG key
#                          (from the keyring GNUPGHOME names)
#
# Signs runewright.exe from DIST's ZIP and keeps only the detached signature,
# DIST/runewright-VERSION-win64.exe.sig. Then makes the release again from DIST's own source
# tarball, elsewhere, with that signature attached (scripts/release.sh --signature), exactly as
# any builder can; its files replace DIST's: the ZIP with the signed executable, and the build
# information and SHA256SUMS, which now cover the signature. Signing twice gives two
# signatures (the signing time differs); attaching one gives the same bytes every time.
# Nothing secret is written: the key stays in its token or file, the PIN in memory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

fail() { echo "sign-release: $*" >&2; exit 1; }
step() { echo "-- sign-release: $*"; }
usage() { sed -n '/^#   sign-release.sh/,/^# Signs/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit "${1:-2}"; }

module= key= pkcs12= cert= pin_file= timestamp= openpgp_key= dist=
while (($#)); do
    case $1 in
        -h | --help) usage 0 ;;
        --pkcs11-module | --key | --pkcs12 | --cert | --pin-file | --timestamp | --openpgp-key)
            (($# > 1)) || fail "$1 needs a value" ;;
        -*) fail "unknown option $1" ;;
        *) [[ -z $dist ]] || usage; dist=$1; shift; continue ;;
    esac
    case $1 in
        --pkcs11-module) module=$2 ;;
        --key) key=$2 ;;
        --pkcs12) pkcs12=$2 ;;
        --cert) cert=$2 ;;
        --pin-file) pin_file=$2 ;;
        --timestamp) timestamp=$2 ;;
        --openpgp-key) openpgp_key=$2 ;;
    esac
    shift 2
done
[[ -n $dist ]] || usage
if [[ -n $module || -n $key ]]; then
    [[ -n $module && -n $key && -z $pkcs12 ]] ||
        fail "a token key needs both --pkcs11-module and --key, and no --pkcs12"
    [[ -n $cert ]] || fail "a token key needs its certificate chain: --cert FILE"
else
    [[ -n $pkcs12 ]] || fail "no key: give --pkcs11-module and --key, or --pkcs12"
fi
for file in "$module" "$pkcs12" "$cert" "$pin_file"; do
    [[ -z $file || -f $file ]] || fail "no such file: $file"
done
dist=$(realpath "$dist")
buildinfo=("$dist"/runewright-*.buildinfo)
[[ -f ${buildinfo[0]} ]] || fail "$dist holds no release that scripts/release.sh made"
version=$(sed -n 's/^Version: //p' "${buildinfo[0]}")
name=runewright-$version
for file in "$name.tar.gz" "$name-win64.zip" SHA256SUMS; do
    [[ -f $dist/$file ]] || fail "$dist holds no $file"
done
[[ ! -e $dist/$name-win64.exe.sig ]] || fail "$dist is signed already"

source "$root/scripts/install-deps.sh"
install_missing osslsigncode openssl unzip
[[ -z $module ]] || install_missing libengine-pkcs11-openssl
[[ -z $openpgp_key ]] || install_missing gnupg

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [[ -n $pin_file ]]; then
    pin=$(<"$pin_file")
else
    { exec 3<>/dev/tty; } 2>/dev/null || fail "no terminal to ask for the PIN on: give --pin-file"
    read -r -s -p "PIN or password for the Authenticode key: " pin <&3 2>&3
    echo >&3
    exec 3>&-
fi
# osslsigncode reads the secret from a pipe, so that it is in no file and on no command line.
secret() { printf '%s' "$pin"; }

step "signing runewright.exe"
unzip -q -j "$dist/$name-win64.zip" "$name-win64/runewright.exe" -d "$work"
if [[ -n $module ]]; then
    engine=$(openssl version -e | sed -n 's/^ENGINESDIR: "\(.*\)"$/\1/p')/pkcs11.so
    signer=(-pkcs11engine "$engine" -pkcs11module "$module" -key "$key" -certs "$cert")
else
    signer=(-pkcs12 "$pkcs12")
    [[ -z $cert ]] || signer+=(-ac "$cert")
fi
[[ -z $timestamp ]] || signer+=(-ts "$timestamp")
osslsigncode sign "${signer[@]}" -readpass <(secret) -h sha256 -n Runewright \
    -in "$work/runewright.exe" -out "$work/signed.exe" >"$work/sign.log" 2>&1 ||
    { cat "$work/sign.log" >&2; fail "osslsigncode could not sign"; }
unset pin
signature=$work/$name-win64.exe.sig
osslsigncode extract-signature -pem -in "$work/signed.exe" -out "$signature" >/dev/null
# Every builder checks the signature against the certificates it carries; see that they can.
openssl pkcs7 -in "$signature" -print_certs -out "$work/certificates.pem"
osslsigncode verify -CAfile "$work/certificates.pem" -in "$work/signed.exe" >"$work/verify.log" 2>&1 ||
    { cat "$work/verify.log" >&2
      fail "the signature's certificates lead to no root it carries: give --cert the whole chain, root included"; }

step "the release again, from its source tarball, with the signature attached"
mkdir "$work/source"
tar -xzf "$dist/$name.tar.gz" -C "$work/source"
(cd "$work/source/$name" && scripts/release.sh --signature "$signature")
signed=$work/source/$name/dist
# What the signature did not touch is what this DIST already held; and attaching the
# signature gives the very executable that signing gave.
for file in "$name.tar.gz" "runewright_${version}_amd64.deb"; do
    cmp -s "$dist/$file" "$signed/$file" ||
        fail "$file made again from the tarball differs from $dist's: this machine does not reproduce the release"
done
unzip -q -p "$signed/$name-win64.zip" "$name-win64/runewright.exe" | cmp -s - "$work/signed.exe" ||
    fail "the executable with the signature attached differs from the one signing gave"
cp "$signed"/* "$dist/"

if [[ -n $openpgp_key ]]; then
    step "OpenPGP signature of SHA256SUMS"
    gpg --yes --local-user "$openpgp_key" --armor --detach-sign \
        --output "$dist/SHA256SUMS.asc" "$dist/SHA256SUMS"
fi

step "signed"
cat "$dist/SHA256SUMS"
echo "Publish $(cd "$dist" && echo *), with these fingerprints on the release page:"
# One certificate at a time: openssl x509 reads the first of a file.
awk -v out="$work/certificate" '/BEGIN CERTIFICATE/ { n++ } n { print >(out n ".pem") }' \
    "$work/certificates.pem"
for certificate in "$work"/certificate*.pem; do
    openssl x509 -noout -subject -fingerprint -sha256 -in "$certificate" | paste -s -d ' '
done | sort -u
[[ -z $openpgp_key ]] || gpg --fingerprint "$openpgp_key"
