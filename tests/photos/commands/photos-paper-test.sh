#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real tarvelo-photos --paper-test without a display: a set that does not
# exist gives a test of the drawings and is not made; two tests come in
# different orders, with the key on the last page and no breed named before
# it, fonts embedded (where poppler-utils is installed); a folder that cannot
# be written, a damaged picture, a sparse terabyte and a FIFO in its place
# give exit status 1 and leave no file;
# misuse gives 2 and the usage on standard error.
# Usage: photos-paper-test.sh TARVELO-PHOTOS
set -eu
photos=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
set_dir="$work/Třída 3.B"

"$photos" --paper-test "$work/první.pdf" "$set_dir" >"$work/said" 2>"$work/errors" ||
    fail "--paper-test: $(cat "$work/errors")"
grep -qx "$work/první.pdf (Pokročilý): [0-9]* pages" "$work/said" ||
    fail "standard output: $(cat "$work/said")"
[ ! -e "$set_dir" ] || fail "printing made the set's folder"
head -c 5 "$work/první.pdf" | grep -q '%PDF-' || fail "not a PDF"
"$photos" --paper-test "$work/druhý.pdf" --beginner "$set_dir" >/dev/null 2>"$work/errors" ||
    fail "--paper-test --beginner: $(cat "$work/errors")"

if command -v pdftotext >/dev/null; then
    # The key: the last page, from "Řešení" on.
    key() { pdftotext -raw "$1" - | awk '/^\f?Řešení/ { on = 1 } on' | grep '^[0-9]*\. '; }
    [ "$(key "$work/první.pdf" | wc -l)" = 19 ] || fail "the key: $(key "$work/první.pdf")"
    [ "$(key "$work/první.pdf")" != "$(key "$work/druhý.pdf")" ] ||
        fail "two tests came in the same order"
    key "$work/první.pdf" | grep -qx '[0-9]*\. Blonde d´ Aquitaine = Plavé akvitánské' ||
        fail "the key does not name Blonde d´ Aquitaine exactly"
    pdftotext -raw "$work/první.pdf" - | awk '/^\f?Řešení/ { exit } { print }' >"$work/questions"
    grep -q "Jméno:" "$work/questions" || fail "no name to fill in"
    if grep -q -e Hereford -e Jersey -e Galloway "$work/questions"; then
        fail "the questions name a breed"
    fi
    pdftotext -raw "$work/druhý.pdf" - | grep -qx "Ayshirský skot" || fail "no list for beginners"
    pdffonts "$work/první.pdf" | tail -n +3 | awk '$(NF - 4) != "yes" { exit 1 }' ||
        fail "a font is not embedded: $(pdffonts "$work/první.pdf")"
else
    echo "pdftotext (poppler-utils) is not installed: the PDF's text is not checked" >&2
fi

# A folder that cannot be written: a file stands where it should be.
echo x >"$work/soubor"
status=0
"$photos" --paper-test "$work/soubor/test.pdf" "$set_dir" >"$work/said" 2>&1 || status=$?
[ $status = 1 ] || fail "an unwritable folder gives status $status, not 1: $(cat "$work/said")"
grep -q "Test nelze uložit jako „$work/soubor/test.pdf“: " "$work/said" ||
    fail "the message: $(cat "$work/said")"
if [ "$(id -u)" != 0 ]; then
    mkdir "$work/jen-ke-čtení"
    chmod 555 "$work/jen-ke-čtení"
    status=0
    "$photos" --paper-test "$work/jen-ke-čtení/test.pdf" "$set_dir" >"$work/said" 2>&1 ||
        status=$?
    [ $status = 1 ] || fail "a read-only folder gives status $status, not 1"
    grep -q "přístup odepřen" "$work/said" || fail "the message: $(cat "$work/said")"
    [ -z "$(ls -A "$work/jen-ke-čtení")" ] || fail "a file was left in the read-only folder"
fi

# A damaged picture in the set: named, and no PDF.
mkdir -p "$set_dir/obr/0"
echo "no photograph" >"$set_dir/obr/0/4.jpg"
before=$(ls -A "$work")
status=0
"$photos" --paper-test "$work/poškozený.pdf" "$set_dir" >"$work/said" 2>&1 || status=$?
[ $status = 1 ] || fail "a damaged picture gives status $status, not 1"
grep -q "obr/0/4.jpg" "$work/said" || fail "the message does not name the picture: $(cat "$work/said")"
[ "$(ls -A "$work")" = "$before" ] || fail "a file was left behind: $(ls -A "$work")"

# A sparse terabyte, then a FIFO, named like that picture: named at once with
# the reason, status 1, no PDF; never read into memory, never waited on.
rm "$set_dir/obr/0/4.jpg"
truncate -s 1T "$set_dir/obr/0/4.jpg"
status=0
timeout 60 "$photos" --paper-test "$work/řídký.pdf" "$set_dir" >"$work/said" 2>&1 || status=$?
[ $status = 1 ] || fail "a sparse terabyte gives status $status, not 1: $(cat "$work/said")"
grep -q "obrázek „$set_dir/obr/0/4.jpg“ nelze přečíst (.*File too large)" "$work/said" ||
    fail "the message: $(cat "$work/said")"
rm "$set_dir/obr/0/4.jpg"
mkfifo "$set_dir/obr/0/4.jpg"
status=0
timeout 60 "$photos" --paper-test "$work/roura.pdf" "$set_dir" >"$work/said" 2>&1 || status=$?
[ $status = 1 ] || fail "a FIFO gives status $status, not 1: $(cat "$work/said")"
grep -q "obrázek „$set_dir/obr/0/4.jpg“ nelze přečíst (.*Operation not supported)" "$work/said" ||
    fail "the message: $(cat "$work/said")"
[ "$(ls -A "$work")" = "$before" ] || fail "a file was left behind: $(ls -A "$work")"
rm "$set_dir/obr/0/4.jpg"

for misuse in "" "--beginner" "a.pdf b c" "--bad a.pdf" "a.pdf $set_dir --class-set"; do
    status=0
    # shellcheck disable=SC2086
    (cd "$work" && "$photos" --paper-test $misuse) >"$work/said" 2>"$work/errors" || status=$?
    [ $status = 2 ] || fail "--paper-test $misuse gives status $status, not 2"
    grep -q "usage: tarvelo-photos --paper-test OUT.pdf" "$work/errors" ||
        fail "--paper-test $misuse: no usage on standard error: $(cat "$work/errors")"
    [ ! -s "$work/said" ] || fail "--paper-test $misuse writes on standard output"
done
[ ! -e "$work/a.pdf" ] || fail "misuse wrote a file"
echo "ok - tarvelo-photos --paper-test" >&2
