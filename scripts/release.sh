#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Makes a release in dist/: the source tarball, the .deb, the Windows ZIP, the build information
# a second builder must match, and SHA256SUMS over them. Everything is built from the source
# tarball itself, so a release made from the unpacked tarball is the same as one made from the
# checkout; and anyone with the packages the build information names gets the same bytes.
# Installs what is missing and builds the static Qt for Windows once, as test.sh does.
#
#   release.sh [--signature FILE]
#
# --signature FILE   the detached Authenticode signature of runewright.exe that the maintainer
#                    published (scripts/sign-release.sh makes it): attached to the executable
#                    built here, it gives the signed release, byte for byte, SHA256SUMS included.
#                    Fails, naming both digests, when it was made for another executable.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

fail() { echo "release: $*" >&2; exit 1; }
step() { echo "-- release: $*"; }

signature=
while (($#)); do
    case $1 in
        --signature) (($# > 1)) || fail "--signature needs a file"; signature=$2; shift 2 ;;
        --signature=*) signature=${1#*=}; shift ;;
        *) fail "unknown argument $1; usage: release.sh [--signature FILE]" ;;
    esac
done
if [[ -n $signature ]]; then
    [[ -f $signature ]] || fail "no signature file $signature"
    signature=$(realpath "$signature")
fi
cd "$root"

# Every builder's environment, set once. The time is the newest changelog entry's date, so the
# tarball and the checkout carry it alike.
released=$(sed -n 's/^## [^ ]* - \([0-9-]*\)$/\1/p' CHANGELOG.md | head -n 1)
[[ -n $released ]] || fail "CHANGELOG.md has no \"## VERSION - YYYY-MM-DD\" entry"
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
SOURCE_DATE_EPOCH=$(date -u -d "$released" +%s)
umask 0022
version=$(sed -n 's/^project(Runewright VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)
[[ -n $version ]] || fail "no project version in CMakeLists.txt"
name=runewright-$version

step "what the source is"
# A release is made of committed source only; without git (an unpacked tarball), of what is here.
# RUNEWRIGHT_TRIAL=1 lets check-reproducible.sh try a release of work not yet committed: the
# tracked files as they stand, never to be published.
if [[ -e .git ]]; then
    changes=$(git status --porcelain) || fail "git cannot read this checkout"
    if [[ -n $changes && ${RUNEWRIGHT_TRIAL:-} == 1 ]]; then
        echo "a trial of uncommitted changes, not a release to publish"
    elif [[ -n $changes ]]; then
        fail "uncommitted changes; a release is made of committed source only, so commit or stash them first:
$changes"
    fi
    mapfile -d '' files < <(git ls-files -z)
    echo "git commit $(git rev-parse HEAD)"
else
    mapfile -d '' files < <(find . \( -path ./build -o -path ./dist -o -path ./.git \) -prune -o \
                                    -type f -printf '%P\0')
    echo "no git checkout: the files below $root"
fi

source scripts/install-deps.sh
install_missing dpkg-dev file zip
[[ -z $signature ]] || install_missing osslsigncode openssl
qt=$(scripts/windows-toolchain.sh)
source scripts/build.sh
dist=$root/dist
rm -rf "$dist" build/source
mkdir -p "$dist" build/source
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Puts the published signature on the executable built here. osslsigncode checks the result
# against trusted roots; those are the signature's own certificates, so what is checked is that
# the signature fits these bytes and its chain holds together. Whether to trust the signer is
# for the user's Windows to decide.
attach_signature() {
    local unsigned=$1 signed=$2 expected found
    openssl pkcs7 -in "$signature" -print_certs -out "$work/certificates.pem" 2>"$work/attach.log" ||
        fail "$signature is not a PEM PKCS#7 signature: $(<"$work/attach.log")"
    osslsigncode attach-signature -sigin "$signature" -CAfile "$work/certificates.pem" \
        -in "$unsigned" -out "$signed" >"$work/attach.log" 2>&1 && return
    expected=$(sed -n 's/^Current message digest *: *\([0-9A-Fa-f]*\).*/\1/p' "$work/attach.log")
    found=$(sed -n 's/^Calculated message digest *: *\([0-9A-Fa-f]*\).*/\1/p' "$work/attach.log")
    [[ $expected == "$found" ]] || fail "the signature $signature does not fit the runewright.exe this source builds:
  expected, the executable it signs: Authenticode SHA-256 $expected
  found, the executable built here:  Authenticode SHA-256 $found (file SHA-256 $(sha256sum <"$unsigned" | cut -d' ' -f1))"
    cat "$work/attach.log" >&2
    fail "osslsigncode cannot attach $signature (above); its certificates must lead to a root it carries"
}

step "source tarball"
# Owner, order, times and modes fixed: the modes as git keeps them, whatever the umask made.
printf '%s\0' "${files[@]}" | sort -z |
    tar --create --null --verbatim-files-from --no-recursion \
        --transform="s,^,$name/," --format=gnu --mtime="@$SOURCE_DATE_EPOCH" \
        --owner=0 --group=0 --numeric-owner --mode='u+rw,go=u-w' --files-from=- |
    gzip -9n >"$dist/$name.tar.gz"
tar -xzf "$dist/$name.tar.gz" -C build/source

cd "build/source/$name"
# Windows first: a signature that does not fit stops the release before the Linux build.
step "Windows build and ZIP"
build_preset windows-release -DCMAKE_PREFIX_PATH="$qt"
if [[ -n $signature ]]; then
    attach_signature build/windows-release/runewright.exe "$work/runewright.exe"
    echo "the signature fits, attached by $(osslsigncode --version | head -n 1 | cut -d, -f1)"
    packaging/windows/zip.sh build/windows-release "$dist" "$work/runewright.exe" >/dev/null
    cp "$signature" "$dist/$name-win64.exe.sig"
else
    packaging/windows/zip.sh build/windows-release "$dist" >/dev/null
fi

step "Linux build and .deb"
build_preset release
(cd build/release && cpack -G DEB -B "$PWD/package" >/dev/null)
cp build/release/package/runewright_"$version"_amd64.deb "$dist/"
cd "$root"

step "build information"
# The Linux build's tools are this machine's; the Windows build's, every package of its build root.
packages=(
    binutils g++ g++-12 libstdc++-12-dev libc6-dev
    qt6-base-dev qt6-base-dev-tools cmake ninja-build dpkg dpkg-dev gzip tar zip
)
# osslsigncode writes the signature into the executable, so its version shapes the signed bytes.
[[ -z $signature ]] || packages+=(osslsigncode)
released=("$name.tar.gz" "runewright_${version}_amd64.deb" "$name-win64.zip")
[[ -z $signature ]] || released+=("$name-win64.exe.sig")
windows_root=$(scripts/windows-root.sh)
in_root=(dpkg-query --admindir="$windows_root/var/lib/dpkg")
qt_version=$("${in_root[@]}" -W -f='${Version}' qt6-base-dev)
distribution=$(. /etc/os-release && echo "$PRETTY_NAME")
{
    echo "Format: 1.0"
    echo "Source: runewright"
    echo "Version: $version"
    echo "Build-Origin: $distribution"
    echo "Build-Architecture: $(dpkg --print-architecture)"
    echo "Source-Date-Epoch: $SOURCE_DATE_EPOCH"
    echo "Build-Environment: TZ=$TZ LC_ALL=$LC_ALL umask $(umask)"
    echo "Checksums-Sha256:"
    for file in "${released[@]}"; do
        echo " $(sha256sum <"$dist/$file" | cut -d' ' -f1) $(stat -c %s "$dist/$file") $file"
    done
    echo "Installed-Build-Depends:"
    for package in "${packages[@]}"; do
        dpkg-query -W -f=' ${Package} (= ${Version}),\n' "$package"
    done | sed '$ s/,$//'
    echo "Windows-Build-Root: Debian $(. "$windows_root/etc/os-release" && echo "$VERSION_ID ($VERSION_CODENAME)"), made by mmdebstrap $(dpkg-query -W -f='${Version}' mmdebstrap)"
    echo "Windows-Installed-Build-Depends:"
    "${in_root[@]}" -W -f=' ${Package} (= ${Version}),\n' | sed '$ s/,$//'
    echo "Qt-Source: qt6-base (= $qt_version)"
    echo "Qt-Configuration:"
    sed 's/^/ /' "$qt/runewright-configuration"
} >"$dist/$name.buildinfo"

step "checksums"
(cd "$dist" && sha256sum -- * >SHA256SUMS && cat SHA256SUMS)
