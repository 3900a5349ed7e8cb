#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced by windows-root.sh and windows-toolchain.sh.

# Prints the archives of binary packages that this machine's apt sources name, one line each:
# "URI SUITE COMPONENT...". apt reads its own sources, in either of their formats, and lists
# the archives whose indexes it has fetched; where it has fetched none (as in a build root,
# whose lists are cleaned away), it fetches them first into a folder of its own, which leaves
# the machine's apt as it was.
apt_archives() {
    local query=(--format '$(TARGET_OF) $(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages')
    local targets own
    targets=$(apt-get indextargets "${query[@]}")
    if [[ -z $targets ]]; then
        own=$(mktemp -d)
        mkdir -p "$own/lists/partial" "$own/cache"
        local private=(-o "Dir::State::Lists=$own/lists" -o "Dir::Cache=$own/cache" -o APT::Sandbox::User="$(id -un)")
        apt-get "${private[@]}" update -q >&2 || { rm -rf "$own"; return 1; }
        targets=$(apt-get "${private[@]}" indextargets "${query[@]}")
        rm -rf "$own"
    fi
    # One line per archive and suite, with all its components.
    awk '$1 == "deb" { key = $2 " " $3
                       if (!(key in components)) order[n++] = key
                       if (index(components[key] " ", " " $4 " ") == 0) components[key] = components[key] " " $4 }
         END { for (i = 0; i < n; i++) print order[i] components[order[i]] }' <<<"$targets" | sort
}
