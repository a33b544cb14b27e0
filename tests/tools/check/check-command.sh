#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real tarvelo-check on a set where a sparse terabyte and a FIFO stand
# for two photographs: it ends at once, with a line naming each of them and
# why, the other seventeen checked, and exit status 1.
# Usage: check-command.sh TARVELO-CHECK DRAWINGS
set -eu
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}
mkdir -p "$work/obr/0"
cp "$2"/*.jpg "$work/obr/0/"
truncate -s 1T "$work/obr/0/3.jpg"
rm "$work/obr/0/5.jpg"
mkfifo "$work/obr/0/5.jpg"

status=0
timeout 60 "$check" "$work" >"$work/said" 2>&1 || status=$?
[ $status = 1 ] || fail "status $status, not 1: $(cat "$work/said")"
[ "$(wc -l <"$work/said")" = 19 ] || fail "not one line a photograph: $(cat "$work/said")"
for line in \
    " 3  $work/obr/0/3.jpg  -  -  Cannot open file \"$work/obr/0/3.jpg\". File too large" \
    " 5  $work/obr/0/5.jpg  -  -  Cannot open file \"$work/obr/0/5.jpg\". Operation not supported"; do
    grep -Fqx "$line" "$work/said" || fail "no line \"$line\": $(cat "$work/said")"
done
[ "$(grep -c '  OK$' "$work/said")" = 17 ] || fail "the others: $(cat "$work/said")"
echo "ok - tarvelo-check on a sparse file and a FIFO" >&2
