#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# changelog.sh debian CHANGELOG.md "NAME <ADDRESS>"   the Debian changelog of the package
# changelog.sh appstream CHANGELOG.md                 the <releases> list of the AppStream metadata
#
# CHANGELOG.md has one "## VERSION - YYYY-MM-DD" section per release, newest first, each a list
# of "- " items that may go on over indented lines.
set -eu
format=$1 changelog=$2 maintainer=${3:-}

# One "release VERSION DATE" line per section, then one "item TEXT" line per list item.
releases() {
    awk '
        function flush() { if (item != "") print "item " item; item = "" }
        /^## / { flush(); print "release " $2 " " $4; next }
        /^- / { flush(); item = substr($0, 3); next }
        /^  +[^ ]/ && item != "" { sub(/^ +/, ""); item = item " " $0; next }
        { flush() }
        END { flush() }
    ' "$changelog"
}

xml_escape() { printf '%s' "$1" | sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g'; }

case $format in
debian)
    # Each entry's date must be later than the one below it, so a release on the day of earlier
    # ones is dated an hour later for each of them.
    days=$(releases | awk '$1 == "release" { print $3 }')
    releases | {
        date= count=0
        while read -r kind rest; do
            if [ "$kind" = release ]; then
                [ -z "$date" ] || printf '\n -- %s  %s\n\n' "$maintainer" "$date"
                version=${rest% *}
                count=$((count + 1))
                earlier=$(printf '%s\n' "$days" | tail -n +$((count + 1)) | grep -cxF "${rest#* }" || true)
                date=$(date -u -R -d "${rest#* } + $earlier hours")
                printf 'runewright (%s) unstable; urgency=medium\n\n' "$version"
            else
                printf '%s\n' "$rest" | fold -s -w 74 | sed -e '1s/^/  * /' -e '2,$s/^/    /' -e 's/ *$//'
            fi
        done
        [ -z "$date" ] || printf '\n -- %s  %s\n' "$maintainer" "$date"
    }
    ;;
appstream)
    releases | {
        open=
        while read -r kind rest; do
            if [ "$kind" = release ]; then
                [ -z "$open" ] || printf '      </ul></description>\n    </release>\n'
                printf '    <release version="%s" date="%s">\n      <description><ul>\n' "${rest% *}" "${rest#* }"
                open=1
            else
                printf '        <li>%s</li>\n' "$(xml_escape "$rest")"
            fi
        done
        [ -z "$open" ] || printf '      </ul></description>\n    </release>\n'
    }
    ;;
*)
    echo "usage: changelog.sh debian|appstream CHANGELOG.md [MAINTAINER]" >&2
    exit 2
    ;;
esac
