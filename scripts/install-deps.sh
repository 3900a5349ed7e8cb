#!/usr/bin/env bash
# Installs what building and testing Runewright needs and this Debian or Ubuntu machine lacks.
# Sourced by run.sh and test.sh; does nothing when everything is there.
packages=(cmake ninja-build g++ qt6-base-dev fonts-dejavu-core)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done

if ((${#missing[@]})); then
    echo "Installing ${missing[*]}"
    sudo=()
    ((EUID == 0)) || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
