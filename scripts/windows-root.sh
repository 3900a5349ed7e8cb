#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The build root of the Windows program: a Debian 13 (trixie) tree made by mmdebstrap from this
# machine's own apt sources, with MinGW-w64 (GCC 14, mingw-w64 12), Qt 6.8's host tools, CMake
# and Ninja. runewright.exe and its static Qt are built in it; Wine, the tests and the checks
# stay on this machine, which needs nothing of Debian 13. The root goes into a cache outside
# the checkout, with a stamp: it is made once, and again when its recipe below changes.
#
#   windows-root.sh                  makes the root if needed and prints its folder, and only
#                                    that, on standard output
#   windows-root.sh COMMAND [ARG...] runs COMMAND in the root, in this folder, as this user, with
#                                    this checkout and the Qt for Windows at their own paths
#
#   RUNEWRIGHT_WINDOWS_ROOT  the root's folder (default: ~/.cache/runewright/windows-root)
#   RUNEWRIGHT_QT_WINDOWS    the Qt for Windows (default: ~/.cache/runewright/qt-mingw-static)
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)
# Standard output is the root's folder alone: what is installed is said on standard error.
source "$checkout/scripts/install-deps.sh" >&2
source "$checkout/scripts/apt-archives.sh"
install_missing mmdebstrap debian-archive-keyring >&2

say() { echo "windows-root: $*" >&2; }
fail() { say "$*"; exit 1; }

suite=trixie
packages=(
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev qt6-base-dev qt6-base-dev-tools
    cmake ninja-build dpkg-dev patch perl xz-utils ca-certificates debian-archive-keyring
)
root=${RUNEWRIGHT_WINDOWS_ROOT:-$HOME/.cache/runewright/windows-root}
qt=${RUNEWRIGHT_QT_WINDOWS:-$HOME/.cache/runewright/qt-mingw-static}
sudo=()
((EUID == 0)) || sudo=(sudo)

# This machine's Debian archives (those of its own release, backports left out) for the new
# suite: the same archives, reached the same way, with no host written here.
host=$(. /etc/os-release && echo "$VERSION_CODENAME")
[[ -n $host ]] || fail "/etc/os-release names no release to take the apt sources from"
mapfile -t mirrors < <(apt_archives | awk -v host="$host" -v suite="$suite" '
    $2 ~ "^" host "(-updates|-security)?$" { sub("^" host, suite, $2); print "deb " $0 }')
((${#mirrors[@]})) || fail "this machine's apt sources have no entry for Debian $host to derive $suite's from"

# The stamp, inside the root, names everything the root is made from; a folder without it is
# no root of ours and is never removed.
recipe=$(printf '%s\n' "$suite" "${packages[@]}" "${mirrors[@]}")
stamp=$root/runewright-root-stamp
if ! [[ -f $stamp && $(<"$stamp") == "$recipe" && -x $root/usr/bin/cmake ]]; then
    # A root made by an older version of this script has its stamp beside it.
    if [[ -e $root && ! -f $stamp && ! -f $root.stamp && -n $(ls -A "$root" 2>/dev/null) ]]; then
        fail "$root holds files but no build root of Runewright's (no $(basename "$stamp")): remove it, or name another folder in RUNEWRIGHT_WINDOWS_ROOT"
    fi
    say "making the Debian $suite build root in $root (a few minutes)"
    "${sudo[@]}" rm -rf "$root" "$root.stamp"
    mkdir -p "$(dirname "$root")"
    packages_csv=$(IFS=,; echo "${packages[*]}")
    "${sudo[@]}" mmdebstrap --variant=apt --include="$packages_csv" \
        --keyring=/usr/share/keyrings/debian-archive-keyring.gpg \
        "$suite" "$root" "${mirrors[@]}" >"$root.log" 2>&1 ||
        { tail -n 30 "$root.log" >&2; fail "mmdebstrap could not make the root"; }
    printf '%s\n' "$recipe" | "${sudo[@]}" tee "$stamp" >/dev/null
    say "made the root: $(du -sh "$root" 2>/dev/null | cut -f1)"
fi

if ((!$#)); then
    echo "$root"
    exit 0
fi

# The command runs in a mount namespace of its own, so the bind mounts end with it and nothing
# is left mounted; as the calling user, with a clean environment but for what a build reads.
mkdir -p "$qt"
environment=(HOME="$HOME" PATH=/usr/sbin:/usr/bin:/sbin:/bin)
for name in SOURCE_DATE_EPOCH TZ LANG LC_ALL RUNEWRIGHT_QT_WINDOWS RUNEWRIGHT_TRIAL CI TERM; do
    [[ -n ${!name+set} ]] && environment+=("$name=${!name}")
done
"${sudo[@]}" unshare --mount --propagation private -- /bin/sh -eu -c '
    root=$1 user=$2 dir=$3 mask=$4 checkout=$5 qt=$6; shift 6
    for path in "$checkout" "$qt"; do
        mkdir -p "$root$path"
        mount --bind "$path" "$root$path"
    done
    mount --rbind /dev "$root/dev"
    mount -t proc proc "$root/proc"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    exec chroot --userspec="$user" "$root" /bin/sh -c "umask $mask && cd \"\$0\" && exec env -i \"\$@\"" "$dir" "$@"
' windows-root "$root" "$(id -u):$(id -g)" "$PWD" "$(umask)" "$checkout" "$qt" "${environment[@]}" "$@"
