#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# make-signing-keys.sh DIR   makes throwaway keys for testing a signed release, in DIR, which
#                            the caller removes: a CA, a code-signing certificate whose key lives
#                            only in a SoftHSM token, and an OpenPGP key.
#
# Leaves in DIR: ca.pem (the root to verify against), chain.pem (the signer's certificate and
# the root), pin (the token's PIN), softhsm2.conf (export SOFTHSM2_CONF=DIR/softhsm2.conf), the
# token "release" with the key "codesign", gnupg/ (export GNUPGHOME=DIR/gnupg) and
# openpgp-fingerprint. Valid for two days; nothing here is ever a real key.
set -euo pipefail
dir=$(realpath "$1")
mkdir -p "$dir/tokens" "$dir/gnupg"
chmod 0700 "$dir" "$dir/gnupg"
cd "$dir"

openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 2 \
    -subj "/CN=Runewright test root" -keyout ca.key -out ca.pem \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
openssl req -newkey rsa:3072 -nodes -subj "/CN=Runewright test signer" \
    -keyout codesign.key -out codesign.csr 2>/dev/null
openssl x509 -req -in codesign.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 \
    -extfile <(printf '%s\n' basicConstraints=critical,CA:FALSE keyUsage=critical,digitalSignature \
                              extendedKeyUsage=codeSigning) \
    -out codesign.pem 2>/dev/null
cat codesign.pem ca.pem >chain.pem

# The signing key goes into the token, and its file away.
printf 'directories.tokendir = %s/tokens\nobjectstore.backend = file\n' "$dir" >softhsm2.conf
export SOFTHSM2_CONF=$dir/softhsm2.conf
printf '%s' "$(od -An -N8 -tx8 /dev/urandom | tr -d ' ')" >pin
softhsm2-util --init-token --free --label release --pin "$(<pin)" --so-pin "$(<pin)" >/dev/null
openssl pkcs8 -topk8 -nocrypt -in codesign.key -out codesign.p8
softhsm2-util --import codesign.p8 --token release --label codesign --id 01 --pin "$(<pin)" >/dev/null
rm -f ca.key codesign.key codesign.p8 codesign.csr ca.srl

export GNUPGHOME=$dir/gnupg
gpg --batch --quiet --passphrase '' --quick-generate-key \
    'Runewright test release key <release@runewright.invalid>' ed25519 sign 2d 2>/dev/null
gpg --batch --with-colons --list-secret-keys 2>/dev/null | awk -F: '$1 == "fpr" { print $10; exit }' \
    >openpgp-fingerprint
