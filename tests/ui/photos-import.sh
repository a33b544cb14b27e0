#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real tarvelo-photos --import on a new set in a folder with Czech
# letters: a photograph is stored and the set is complete and shows in the
# quiz's decoder, and standard output names the stored picture for a script
# to take, with nothing on standard error; a damaged file and a wrong index
# change nothing, say so on standard error and by their exit status.
# Usage: photos-import.sh TARVELO-PHOTOS TARVELO-CHECK DRAWINGS
set -eu
photos=$1 check=$2 drawings=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
set_dir="$work/Třída 3.B"
fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

"$photos" --import 4 "$drawings/10.jpg" "$set_dir" >"$work/stored" 2>"$work/said" ||
    fail "import: $(cat "$work/said")"
[ ! -s "$work/said" ] || fail "a stored photograph gives messages: $(cat "$work/said")"
grep -qx "$set_dir/obr/0/4\.jpg (Hereford): [0-9]* x [0-9]*, [0-9]* bytes" "$work/stored" ||
    fail "the result does not name the stored picture and its size: $(cat "$work/stored")"
[ "$(find "$set_dir/obr/0" -name '*.jpg' | wc -l)" = 19 ] || fail "the new set is not complete"
cmp -s "$set_dir/obr/0/4.jpg" "$drawings/4.jpg" && fail "picture 4 is still the drawing"
cmp -s "$set_dir/obr/0/5.jpg" "$drawings/5.jpg" || fail "picture 5 is not the drawing"
"$check" "$set_dir" >"$work/check" || fail "tarvelo-check: $(cat "$work/check")"

before=$(cksum <"$set_dir/obr/0/4.jpg")
echo "no photograph" >"$work/poškozená.jpg"
status=0
"$photos" --import 4 "$work/poškozená.jpg" "$set_dir" >"$work/stored" 2>"$work/said" || status=$?
[ $status = 1 ] || fail "a damaged photograph gives status $status, not 1"
[ ! -s "$work/stored" ] || fail "a refused photograph gives a result: $(cat "$work/stored")"
grep -q "poškozená.jpg" "$work/said" || fail "the message does not name the file: $(cat "$work/said")"
[ "$(cksum <"$set_dir/obr/0/4.jpg")" = "$before" ] || fail "a refused photograph changed the set"
[ "$(find "$set_dir/obr/0" -type f | wc -l)" = 19 ] || fail "a refused photograph left a file behind"

status=0
"$photos" --import 19 "$drawings/0.jpg" "$set_dir" 2>/dev/null || status=$?
[ $status = 2 ] || fail "index 19 gives status $status, not 2"
# The class set for every account: a user who may not write it is told so,
# and nothing is made. Root is run as nobody, from a copy it may read.
home=/usr/local/share/tarvelo
before=$(ls -la "$home" 2>/dev/null || echo absent)
shared=$(mktemp -d)
trap 'rm -rf "$work" "$shared"' EXIT
chmod 755 "$shared"
cp "$photos" "$shared/tarvelo-photos"
cp "$drawings/10.jpg" "$shared/photo.jpg"
chmod a+r "$shared/photo.jpg"
if [ "$(id -u)" = 0 ]; then
    pupil() { setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env "$@"; }
elif [ ! -w /usr/local/share ]; then
    pupil() { "$@"; }
else
    pupil="" # this account may write it, as the staff group may
fi
if [ -n "${pupil-x}" ]; then
    status=0
    pupil "$shared/tarvelo-photos" --import 4 "$shared/photo.jpg" --class-set 2>"$work/said" ||
        status=$?
    [ $status = 1 ] || fail "a pupil's --class-set gives status $status, not 1: $(cat "$work/said")"
    grep -q "pro všechny uživatele tohoto počítače" "$work/said" ||
        fail "the refusal does not say which set: $(cat "$work/said")"
    grep -q "Nic nebylo změněno." "$work/said" || fail "the refusal: $(cat "$work/said")"
    [ "$(ls -la "$home" 2>/dev/null || echo absent)" = "$before" ] ||
        fail "a refused --class-set changed $home"
fi
status=0
"$photos" --import 4 "$drawings/10.jpg" "$set_dir" --class-set 2>/dev/null || status=$?
[ $status = 2 ] || fail "--class-set with a folder gives status $status, not 2"
echo "ok - tarvelo-photos --import into $set_dir"
