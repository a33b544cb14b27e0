#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real tarvelo-photos --commons and --commons-add against the made-up
# Commons of tarvelo-commons-server: a breed's free photographs listed one a
# line (title, licence, author, page), the chosen ones added to a set with
# their credits, unfree and unknown ones refused by name with the set
# unchanged, misuse said as such, and a server that cannot be reached or an
# endpoint that is not https said in Czech.
# Usage: photos-commons.sh TARVELO-PHOTOS TARVELO-COMMONS-SERVER
set -eu
photos=$1 server=$2
work=$(mktemp -d)
fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

# The server serves until its standard input closes: a pipe held open here.
mkfifo "$work/in"
"$server" <"$work/in" >"$work/port" &
server_pid=$!
exec 3>"$work/in"
trap 'exec 3>&-; wait $server_pid; rm -rf "$work"' EXIT
tries=0
until [ -s "$work/port" ]; do
    tries=$((tries + 1))
    [ $tries -lt 100 ] || fail "the server printed no port"
    sleep 0.1
done
api="http://127.0.0.1:$(head -n 1 "$work/port")/w/api.php"
export TARVELO_COMMONS_API="$api" TARVELO_WIKIDATA_API="$api"
tab=$(printf '\t')

# The list: seven free photographs of Jersey, the first as it is credited.
"$photos" --commons 16 >"$work/list" 2>"$work/said" || fail "--commons 16: $(cat "$work/said")"
[ "$(wc -l <"$work/list")" -eq 7 ] || fail "--commons 16 listed $(cat "$work/list")"
[ "$(head -n 1 "$work/list")" = "File:Jersey cow.jpg${tab}CC BY-SA 4.0${tab}Jana & Petr Novák${tab}https://commons.wikimedia.org/wiki/File:Jersey_cow.jpg" ] ||
    fail "the first candidate is $(head -n 1 "$work/list")"
grep -q "Jersey nonfree" "$work/list" && fail "an unfree file was listed"
grep -q "8" "$work/said" || fail "the refused files are not counted: $(cat "$work/said")"
if LC_ALL=C grep -q "$(printf '\033')" "$work/list"; then
    fail "a control character reached the terminal"
fi

# Misuse.
for arguments in "--commons" "--commons 19" "--commons x" "--commons 1 2" "--commons-add 16" \
    "--commons-add 16 $work/set" "--commons-add -1 File:Jersey_cow.jpg"; do
    status=0
    # shellcheck disable=SC2086 # split on purpose
    "$photos" $arguments >/dev/null 2>"$work/said" || status=$?
    [ $status = 2 ] && grep -q "^usage: tarvelo-photos --commons" "$work/said" ||
        fail "$arguments: status $status, $(cat "$work/said")"
done

# Adding: two photographs with their credits; their paths on standard output.
set_dir="$work/Třída 3.B"
"$photos" --commons-add 16 "File:Jersey cow.jpg" "File:Jersey herd.png" "$set_dir" \
    >"$work/added" 2>"$work/said" || fail "--commons-add: $(cat "$work/said")"
[ -s "$work/said" ] && fail "--commons-add said $(cat "$work/said")"
[ "$(wc -l <"$work/added")" -eq 2 ] || fail "--commons-add printed $(cat "$work/added")"
[ -f "$set_dir/obr/0/16.jpg" ] && [ -f "$set_dir/obr/1/16.jpg" ] || fail "the photographs are not in the set"
cmp -s "$set_dir/obr/0/16.jpg" "$set_dir/obr/1/16.jpg" && fail "both places hold one photograph"
grep -rq "Jana & Petr Novák" "$set_dir/obr" || fail "the first photograph's credit was not written"
grep -rq "Jersey_herd.png" "$set_dir/obr" || fail "the second photograph's credit was not written"
find "$set_dir" -type f | sort >"$work/files.before"
cksum "$set_dir"/obr/*/16.jpg >"$work/sums.before"

# Unfree and unknown files are refused by name and nothing changes.
status=0
"$photos" --commons-add 16 "File:Jersey nonfree.jpg" "File:Nothing here.jpg" "$set_dir" \
    >"$work/added" 2>"$work/said" || status=$?
[ $status = 1 ] || fail "unfree files: status $status"
grep -q "File:Jersey nonfree.jpg" "$work/said" && grep -q "File:Nothing here.jpg" "$work/said" ||
    fail "the refused files are not named: $(cat "$work/said")"
[ -s "$work/added" ] && fail "unfree files printed $(cat "$work/added")"
find "$set_dir" -type f | sort | cmp -s - "$work/files.before" || fail "the set's files changed"
cksum "$set_dir"/obr/*/16.jpg | cmp -s - "$work/sums.before" || fail "a photograph changed"

# No server there: said, nothing changed.
status=0
TARVELO_COMMONS_API=http://127.0.0.1:9/w/api.php TARVELO_WIKIDATA_API=http://127.0.0.1:9/w/api.php \
    "$photos" --commons-add 16 "File:Jersey bull.jpg" "$set_dir" >/dev/null 2>"$work/said" || status=$?
[ $status = 1 ] && grep -q "není dostupný" "$work/said" ||
    fail "no server: status $status, $(cat "$work/said")"
cksum "$set_dir"/obr/*/16.jpg | cmp -s - "$work/sums.before" || fail "a photograph changed offline"

# An endpoint over plain http elsewhere is refused before anything is sent.
status=0
TARVELO_COMMONS_API=http://commons.example.org/w/api.php "$photos" --commons 16 \
    >/dev/null 2>"$work/said" || status=$?
[ $status = 1 ] && grep -q "TARVELO_COMMONS_API" "$work/said" ||
    fail "a plain http endpoint: status $status, $(cat "$work/said")"
exit 0
