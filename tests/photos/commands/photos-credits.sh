#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real tarvelo-photos --credits: a set without credits prints nothing and
# succeeds; credits recorded for its photographs come one line each, in breed
# then photograph order, tab-separated, their text as plain text; a credit
# whose photograph is gone, a damaged credits file and one that is a link
# print nothing of theirs, nor do pages that are not what they read as (a
# page elsewhere than on Commons prints its host); no set gives 1, misuse 2,
# each said on standard error.
# Usage: photos-credits.sh TARVELO-PHOTOS DRAWINGS
set -eu
photos=$1 drawings=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
set_dir="$work/Třída 3.B"
credits="$set_dir/obr/tarvelo-credits.json"
fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}
listed() {
    "$photos" --credits "$set_dir" >"$work/out" 2>"$work/said" ||
        fail "--credits: $(cat "$work/said")"
    [ ! -s "$work/said" ] || fail "--credits says on standard error: $(cat "$work/said")"
}
hash() {
    sha256sum "$1" | cut -d ' ' -f 1
}

"$photos" --import 4 "$drawings/10.jpg" "$set_dir" >/dev/null || fail "--import"
"$photos" --add 4 "$drawings/11.jpg" "$set_dir" >/dev/null || fail "--add"
"$photos" --add 7 "$drawings/12.jpg" "$set_dir" >/dev/null || fail "--add"
listed
[ ! -s "$work/out" ] || fail "a set without credits prints $(cat "$work/out")"

# Credits as the editor records them, by the photographs' bytes; the
# first for a photograph no longer in the set, the second's author with an
# escape sequence and a line break in it.
printf '{"format": 1, "credits": [
  {"sha256": "%s", "author": "Smazaná", "licence": "CC0"},
  {"sha256": "%s", "author": "Eva\\u001b[31m\\nDvořáková", "licence": "CC0",
   "page": "http://example.org/"},
  {"sha256": "%s", "author": "Jan Novák", "licence": "CC BY-SA 4.0",
   "page": "https://commons.wikimedia.org/wiki/File:Kr%%C3%%A1va.jpg", "title": "File:Kráva.jpg"}
]}\n' "$(hash "$drawings/3.jpg")" "$(hash "$set_dir/obr/0/7.jpg")" \
    "$(hash "$set_dir/obr/1/4.jpg")" >"$credits"
printf '%s\t%s\t%s\t%s\n' \
    obr/1/4.jpg "Jan Novák" "CC BY-SA 4.0" "https://commons.wikimedia.org/wiki/File:Kr%C3%A1va.jpg" \
    obr/0/7.jpg "Eva[31m Dvořáková" CC0 "" >"$work/expected"
listed
cmp -s "$work/out" "$work/expected" ||
    fail "the credits: $(cat "$work/out"), not $(cat "$work/expected")"

# A damaged credits file, then one that is a link to good credits elsewhere.
cp "$credits" "$work/good.json"
head -c 100 "$work/good.json" >"$credits"
listed
[ ! -s "$work/out" ] || fail "a damaged credits file gives $(cat "$work/out")"
rm "$credits"
ln -s "$work/good.json" "$credits"
listed
[ ! -s "$work/out" ] || fail "a credits file that is a link gives $(cat "$work/out")"
rm "$credits"

# Pages that read as Commons' but lead elsewhere print nothing; a page
# elsewhere prints only its real host.
printf '{"format": 1, "credits": [
  {"sha256": "%s", "author": "Jana", "licence": "CC BY 4.0",
   "page": "https://commons.wikimedia.org@evil.example/wiki/File:A.jpg"},
  {"sha256": "%s", "author": "Jiná", "licence": "CC0",
   "page": "https://evil.example/wiki/File:A.jpg"},
  {"sha256": "%s", "author": "Třetí", "licence": "CC0",
   "page": "https://commons.wikimedia.org:443/wiki/File:A.jpg"}
]}\n' "$(hash "$set_dir/obr/0/4.jpg")" "$(hash "$set_dir/obr/1/4.jpg")" \
    "$(hash "$set_dir/obr/0/7.jpg")" >"$credits"
printf '%s\t%s\t%s\t%s\n' \
    obr/0/4.jpg Jana "CC BY 4.0" "" \
    obr/1/4.jpg "Jiná" CC0 evil.example \
    obr/0/7.jpg "Třetí" CC0 "" >"$work/expected"
listed
cmp -s "$work/out" "$work/expected" ||
    fail "spoofed pages: $(cat "$work/out"), not $(cat "$work/expected")"
rm "$credits"

# No set there: 1, said; misuse: 2 and the usage.
status=0
"$photos" --credits "$work/nic" >"$work/out" 2>"$work/said" || status=$?
[ $status = 1 ] || fail "no set gives status $status, not 1"
grep -q "Ve složce „$work/nic“ není žádná sada." "$work/said" || fail "no set says $(cat "$work/said")"
[ ! -s "$work/out" ] || fail "no set prints $(cat "$work/out")"
[ ! -e "$work/nic" ] || fail "listing made the set's folder"
status=0
"$photos" --credits "$set_dir" "$work/druhá" >"$work/out" 2>"$work/said" || status=$?
[ $status = 2 ] && grep -q "^usage: tarvelo-photos --credits \[DIR | --class-set\]" "$work/said" ||
    fail "two folders give status $status: $(cat "$work/said")"
status=0
"$photos" --credits --class-set "$set_dir" >"$work/out" 2>"$work/said" || status=$?
[ $status = 2 ] || fail "a folder and --class-set give status $status, not 2"
echo "ok - tarvelo-photos --credits lists the credits of $set_dir"
