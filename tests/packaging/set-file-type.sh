#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A shared set's file type, at build time: MIME-XML goes into a MIME database
# of the test's beside the system's types, and a set the built TARVELO-PHOTOS
# exports is that type by its name and, renamed, by its content (the writer
# puts the manifest first); a plain ZIP of the same photograph stays a ZIP.
# File::MimeInfo answers as xdg-mime does on a desktop of no known kind. The
# autopkgtest file-type checks the installed package and its menu entry.
# Usage: set-file-type.sh TARVELO-PHOTOS PHOTO MIME-XML TYPE
set -eu
[ $# -eq 4 ] || { echo "usage: $0 TARVELO-PHOTOS PHOTO MIME-XML TYPE" >&2; exit 2; }
photos=$1 photo=$2 xml=$3 type=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

mkdir -p "$work/share/mime/packages" "$work/home"
cp /usr/share/mime/packages/freedesktop.org.xml "$xml" "$work/share/mime/packages/"
# It warns that the folder is not among the system's: this test names it.
update-mime-database "$work/share/mime" 2>/dev/null

set_dir="$work/Třída 3.B"
"$photos" --import 4 "$photo" "$set_dir" >/dev/null
"$photos" --export "$work/Třída 3.B.tarvelo" "$set_dir" >/dev/null
cp "$work/Třída 3.B.tarvelo" "$work/sada od kolegy"
(cd "$set_dir" && zip -q -r - obr) >"$work/fotky"

# expect FILE TYPE
expect() {
    got=$(env -i PATH="$PATH" LC_ALL=C.UTF-8 HOME="$work/home" XDG_DATA_HOME="$work/home" \
        XDG_DATA_DIRS="$work/share" mimetype --brief "$1")
    if [ "$got" = "$2" ]; then
        echo "ok - $(basename "$1"): $got"
    else
        echo "not ok - $(basename "$1") is taken for $got, not $2"
        failures=$((failures + 1))
    fi
}
expect "$work/Třída 3.B.tarvelo" "$type"
expect "$work/sada od kolegy" "$type"
expect "$work/fotky" application/zip
[ "$failures" -eq 0 ]
