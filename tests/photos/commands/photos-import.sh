#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real tarvelo-photos --import on a new set in a folder with Czech
# letters: a photograph is stored and the set is complete and shows in the
# quiz's decoder, and standard output names the stored picture for a script
# to take, with nothing on standard error; a damaged file, a wrong index, a
# missing home folder and a link in the set change nothing, say so on
# standard error and by their exit status, a file's name with its control
# characters written out. --add and --remove keep up to ten photographs of a breed in
# order, and an unknown option is misuse, said without any window. --export
# and --import-set carry the set to another folder as one file, the same
# photographs byte for byte, and a file that is no shared set changes nothing.
# With --full-disk, the same on a nearly full disk instead: a photograph that
# does not fit is refused with the reason and the picture it would have
# replaced stays whole. Exits 77 (skipped) where no small file system can be
# mounted.
# Usage: photos-import.sh [--full-disk] TARVELO-PHOTOS TARVELO-CHECK DRAWINGS
set -eu
full_disk=false
if [ "${1-}" = --full-disk ]; then
    full_disk=true
    shift
fi
photos=$1 check=$2 drawings=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
set_dir="$work/Třída 3.B"
fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

# The files in folder, hidden ones too.
count_files() {
    find "$1" -type f | wc -l
}

full_disk_test() {
    usb="$work/usb"
    mkdir "$usb"
    if ! mount -t tmpfs -o size=2m,mode=0755 tmpfs "$usb" 2>"$work/said"; then
        printf 'SKIP: no small file system can be mounted here: %s\n' "$(cat "$work/said")" >&2
        exit 77
    fi
    trap 'umount "$usb"; rm -rf "$work"' EXIT
    set_dir="$usb/Třída 3.B"
    "$photos" --import 4 "$drawings/10.jpg" "$set_dir" >"$work/said" 2>&1 ||
        fail "import with room to spare: $(cat "$work/said")"
    cp "$set_dir/obr/0/4.jpg" "$work/4-before.jpg"

    # A photograph whose copy is more than the 4 KiB left and less than a
    # file's write buffer (16 KiB), so a buffered writer meets the full disk
    # only at its final flush: a PPM of 100 x 100 pixels of noise, the bytes
    # of a drawing.
    {
        printf 'P6\n100 100\n255\n'
        tail -c +1000 "$drawings/0.jpg" | head -c 30000
    } >"$work/šum.ppm"
    "$photos" --import 4 "$work/šum.ppm" "$work/měřená" >"$work/said" 2>&1 ||
        fail "import of the noise: $(cat "$work/said")"
    stored=$(wc -c <"$work/měřená/obr/0/4.jpg")
    [ "$stored" -gt 4096 ] && [ "$stored" -lt 16384 ] ||
        fail "the noise's copy has $stored bytes, not between 4 and 16 KiB"

    # Full to the last page, then one page (4 KiB) freed.
    head -c 4096 /dev/zero >"$usb/page"
    cat /dev/zero >"$usb/filler" 2>/dev/null || true
    if printf x >"$usb/more" 2>/dev/null; then
        fail "the small file system did not fill up"
    fi
    rm -f "$usb/more" "$usb/page"

    status=0
    "$photos" --import 4 "$work/šum.ppm" "$set_dir" >"$work/said" 2>&1 || status=$?
    [ $status = 1 ] || fail "an import onto a full disk gives status $status, not 1: $(cat "$work/said")"
    grep -q "Obrázek nelze uložit jako „.*4.jpg“: na disku není místo." "$work/said" ||
        fail "the message on a full disk: $(cat "$work/said")"
    cmp -s "$set_dir/obr/0/4.jpg" "$work/4-before.jpg" || fail "picture 4 is not as it was"
    [ "$(count_files "$set_dir")" = 19 ] || fail "a failed import left a file behind"
    "$check" "$set_dir" >"$work/check" || fail "tarvelo-check: $(cat "$work/check")"

    # A new set does not fit either: no drawing is copied in part.
    status=0
    "$photos" --import 4 "$work/šum.ppm" "$usb/Nová" >"$work/said" 2>&1 || status=$?
    [ $status = 1 ] || fail "a new set on a full disk gives status $status, not 1"
    grep -q "na disku není místo." "$work/said" || fail "the message: $(cat "$work/said")"
    for picture in "$usb/Nová/obr/0"/* "$usb/Nová/obr/0"/.[!.]*; do
        [ -e "$picture" ] || continue
        cmp -s "$picture" "$drawings/${picture##*/}" || fail "$picture was left half written"
    done
    echo "ok - tarvelo-photos --import onto a full disk leaves the set whole" >&2
}

if $full_disk; then
    # A mount namespace of its own takes the small file system away with the
    # test however it ends; without root rights, a user namespace gives one.
    if [ -z "${TARVELO_OWN_MOUNTS-}" ]; then
        export TARVELO_OWN_MOUNTS=1
        for namespaces in -m -Urm; do
            if unshare $namespaces true 2>/dev/null; then
                rm -rf "$work"
                exec unshare $namespaces sh "$0" --full-disk "$photos" "$check" "$drawings"
            fi
        done
    fi
    full_disk_test
    exit 0
fi

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
# A file name that would recolour the terminal and reverse the line is
# printed with those characters written out.
hostile=$(printf 'x\033[31m\342\200\256gpj.jpg')
echo "no photograph" >"$work/$hostile"
status=0
"$photos" --import 4 "$work/$hostile" "$set_dir" >"$work/stored" 2>"$work/said" || status=$?
[ $status = 1 ] || fail "a damaged photograph with a hostile name gives status $status, not 1"
grep -qF 'x\x1b[31m\u202egpj.jpg' "$work/said" ||
    fail "the name is not written out: $(cat -v "$work/said")"
if LC_ALL=C grep -q "$(printf '\033')" "$work/said"; then
    fail "an escape reaches the terminal: $(cat -v "$work/said")"
fi

# Every file of the set with its checksum, to see that a refusal changed none.
snapshot() {
    (cd "$set_dir" && find . -type f -exec cksum {} + | sort)
}
# Runs tarvelo-photos and checks its exit status ($1) and that a refusal
# says something and prints no result.
expect_status() {
    want=$1
    shift
    status=0
    "$photos" "$@" >"$work/stored" 2>"$work/said" || status=$?
    [ $status = "$want" ] || fail "$* gives status $status, not $want: $(cat "$work/said")"
    if [ "$want" != 0 ]; then
        [ -s "$work/said" ] || fail "$* is refused without a word"
        [ ! -s "$work/stored" ] || fail "$* is refused but prints $(cat "$work/stored")"
    fi
}

# Further photographs come after the first, each named as it is stored.
expect_status 0 --add 4 "$drawings/11.jpg" "$set_dir"
grep -qx "$set_dir/obr/1/4\.jpg (Hereford): [0-9]* x [0-9]*, [0-9]* bytes" "$work/stored" ||
    fail "--add does not name the stored picture: $(cat "$work/stored")"
second=$(cksum <"$set_dir/obr/1/4.jpg")
for n in 12 13; do
    expect_status 0 --add 4 "$drawings/$n.jpg" "$set_dir"
done
third=$(cksum <"$set_dir/obr/2/4.jpg")
# The first removed, the later ones move up and the last place is freed.
expect_status 0 --remove 4 1 "$set_dir"
[ ! -s "$work/stored" ] || fail "--remove prints $(cat "$work/stored")"
[ "$(cksum <"$set_dir/obr/0/4.jpg")" = "$second" ] || fail "the second photograph did not move up"
[ "$(cksum <"$set_dir/obr/1/4.jpg")" = "$third" ] || fail "the third photograph did not move up"
[ ! -e "$set_dir/obr/3/4.jpg" ] || fail "the last place was not freed"
"$check" "$set_dir" >"$work/check" || fail "tarvelo-check: $(cat "$work/check")"

# Ten at most: the eleventh is refused and the set stays as it was.
for n in 4 5 6 7 8 9 10; do
    expect_status 0 --add 4 "$drawings/$n.jpg" "$set_dir"
done
[ -e "$set_dir/obr/9/4.jpg" ] || fail "the tenth photograph is not in obr/9"
before=$(snapshot)
expect_status 1 --add 4 "$drawings/14.jpg" "$set_dir"
grep -q "„14.jpg“ nelze přidat: plemeno Hereford už má 10 fotografií" "$work/said" ||
    fail "the eleventh photograph's refusal: $(cat "$work/said")"
[ "$(snapshot)" = "$before" ] || fail "the eleventh photograph changed the set"
# No such photograph: refused, nothing changed; a number beyond ten is misuse.
expect_status 1 --remove 5 1 "$set_dir"
grep -q "nemá žádnou vlastní fotografii" "$work/said" || fail "--remove 5 1: $(cat "$work/said")"
expect_status 2 --remove 4 11 "$set_dir"
expect_status 2 --remove 4 první "$set_dir"
expect_status 2 --add 4
[ "$(snapshot)" = "$before" ] || fail "a refused removal changed the set"
# All ten removed: the drawing is back, and no other place is left.
for _ in 1 2 3 4 5 6 7 8 9 10; do
    expect_status 0 --remove 4 1 "$set_dir"
done
cmp -s "$set_dir/obr/0/4.jpg" "$drawings/4.jpg" || fail "the drawing did not come back"
[ "$(find "$set_dir/obr" -type f | wc -l)" = 19 ] || fail "removing them all left files behind"
expect_status 1 --remove 4 1 "$set_dir"
expect_status 0 --import 4 "$drawings/10.jpg" "$set_dir"

# A misspelt option is misuse, told on standard error, with no display
# asked for: no window waits for someone to close it.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$photos" --clas-set \
    >"$work/stored" 2>"$work/said" || status=$?
[ $status = 2 ] || fail "an unknown option gives status $status, not 2: $(cat "$work/said")"
grep -q "^usage: tarvelo-photos" "$work/said" || fail "an unknown option says $(cat "$work/said")"
[ ! -s "$work/stored" ] || fail "an unknown option prints $(cat "$work/stored")"
cp "$work/said" "$work/said.unknown"

# --help prints on standard output the usage misuse gets on standard error,
# every command in it.
"$photos" --help >"$work/help" 2>"$work/said" || fail "--help fails: $(cat "$work/said")"
[ ! -s "$work/said" ] || fail "--help says on standard error: $(cat "$work/said")"
cmp -s "$work/help" "$work/said.unknown" || fail "--help and misuse print different usages"
for option in --import --add --remove --paper-test --export --import-set --credits --class-set \
    FILE.tarvelo; do
    grep -q -- " $option" "$work/help" || fail "--help does not name $option"
done
status=0
"$photos" --export 2>"$work/said" || status=$?
[ $status = 2 ] && grep -q "^usage: tarvelo-photos --export FILE" "$work/said" ||
    fail "--export without a file gives status $status: $(cat "$work/said")"

status=0
"$photos" --import 19 "$drawings/0.jpg" "$set_dir" 2>/dev/null || status=$?
[ $status = 2 ] || fail "index 19 gives status $status, not 2"
# With neither HOME nor XDG_DATA_HOME there is no own set, as for the menu's
# launcher: tarvelo-photos says so and writes nothing, neither in the root
# folder Qt would take for home nor in the folder it runs in.
nowhere="$work/nowhere"
mkdir "$nowhere"
before=$(ls -la /.local/share/tarvelo 2>/dev/null || echo absent)
status=0
(cd "$nowhere" && env -u HOME -u XDG_DATA_HOME "$photos" --import 4 "$drawings/10.jpg") \
    >"$work/said" 2>&1 || status=$?
[ $status = 1 ] || fail "without HOME, --import gives status $status, not 1: $(cat "$work/said")"
grep -q "Nelze zjistit, kde je vaše vlastní sada: není nastavená proměnná HOME" "$work/said" ||
    fail "without HOME, --import says: $(cat "$work/said")"
[ "$(ls -la /.local/share/tarvelo 2>/dev/null || echo absent)" = "$before" ] ||
    fail "without HOME, --import changed /.local/share/tarvelo"
[ -z "$(ls -A "$nowhere")" ] || fail "without HOME, --import wrote into the folder it ran in"
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

# A set whose obr/5, or whose obr, is a link to a folder of someone else's:
# --import, --add and --remove are refused naming the link, and nothing
# changes in the set nor behind the link.
linked="$work/S odkazem"
theirs="$work/cizí"
mkdir -p "$theirs/obr"
cp "$drawings/4.jpg" "$drawings/5.jpg" "$theirs/obr/"
expect_status 0 --add 4 "$drawings/10.jpg" "$linked"
ln -s "$theirs/obr" "$linked/obr/5"
files_of() { (cd "$1" && find . -type f -exec cksum {} + | sort); }
for link in obr/5 obr; do
    if [ $link = obr ]; then
        rm "$linked/obr/5"
        mv "$linked/obr" "$theirs/obr/sada"
        ln -s "$theirs/obr/sada" "$linked/obr"
    fi
    before=$(files_of "$linked")
    before_theirs=$(files_of "$theirs")
    for command in --import --add --remove; do
        case $command in
        --remove) expect_status 1 --remove 4 1 "$linked" ;;
        *) expect_status 1 $command 4 "$drawings/11.jpg" "$linked" ;;
        esac
        grep -q "obsahuje odkaz „$link“, který vede jinam; do takové sady Tarvelo nezapisuje." \
            "$work/said" || fail "$command with $link a link says: $(cat "$work/said")"
    done
    [ "$(files_of "$linked")" = "$before" ] || fail "a refused change with $link a link changed the set"
    [ "$(files_of "$theirs")" = "$before_theirs" ] ||
        fail "a refused change with $link a link changed the folder it leads to"
done
echo "ok - tarvelo-photos --import into $set_dir"

# The set shared as one file, into a set of another school with Czech letters.
shared_file="$work/Sada třídy 3.B.tarvelo"
other="$work/Jiná škola"
"$photos" --export "$shared_file" "$set_dir" >"$work/out" 2>"$work/said" ||
    fail "--export: $(cat "$work/said")"
[ -s "$shared_file" ] && [ ! -s "$work/said" ] || fail "--export wrote no file or complained"
grep -q "Sada třídy 3.B.tarvelo" "$work/out" || fail "--export does not name the file: $(cat "$work/out")"
"$photos" --import-set "$shared_file" "$other" >"$work/out" 2>"$work/said" ||
    fail "--import-set: $(cat "$work/said")"
for photo in "$set_dir"/obr/*/*.jpg; do
    relative=${photo#"$set_dir"/}
    cmp -s "$photo" "$other/$relative" || fail "$relative differs after --export and --import-set"
done
"$check" "$other" >/dev/null || fail "tarvelo-check refuses the imported set"
before=$(cd "$other" && find . -type f -exec cksum {} + | sort)
printf 'PK\003\004not a zip at all' >"$work/bad.tarvelo"
status=0
"$photos" --import-set "$work/bad.tarvelo" "$other" 2>"$work/said" || status=$?
[ $status = 1 ] || fail "a damaged shared set gives status $status, not 1"
grep -q "bad.tarvelo" "$work/said" || fail "the refusal does not name the file: $(cat "$work/said")"
[ "$(cd "$other" && find . -type f -exec cksum {} + | sort)" = "$before" ] ||
    fail "a refused shared set changed $other"
status=0
"$photos" --export 2>/dev/null || status=$?
[ $status = 2 ] || fail "--export without a file gives status $status, not 2"
echo "ok - tarvelo-photos --export and --import-set carry the set to $other"

# A take-over killed at any moment leaves the old set or the new one whole,
# and the next start of tarvelo-photos leaves no stray file beside it.
state() {
    (cd "$1" && find obr -type f -exec cksum {} + | sort)
}
strays() {
    find "$1" \( -name '.tarvelo-new-*' -o -name '.*.jpg.*' -o -name '~*.jpg.*' \
        -o -name '.tarvelo.lock' -o -name '.entry.jpg' \) -print
}
killed="$work/Přerušená"
"$photos" --import 9 "$drawings/3.jpg" "$killed" >/dev/null 2>&1 || fail "--import into $killed"
"$photos" --export "$work/jiná.tarvelo" "$killed" >/dev/null 2>&1 || fail "--export of $killed"
new=$(state "$other")
old=$(state "$killed")
for delay in 0 0.01 0.02 0.03 0.05 0.08 0.1 0.15 0.2 0.3; do
    from=$(state "$killed")
    if [ "$from" = "$old" ]; then file=$shared_file to=$new; else file="$work/jiná.tarvelo" to=$old; fi
    "$photos" --import-set "$file" "$killed" >/dev/null 2>&1 &
    pid=$!
    sleep "$delay"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" || true
    "$photos" --export "$work/po.tarvelo" "$killed" >/dev/null 2>&1 ||
        fail "the set after a kill at ${delay}s cannot be exported"
    now=$(state "$killed")
    [ "$now" = "$from" ] || [ "$now" = "$to" ] ||
        fail "a take-over killed after ${delay}s left a mixed set"
    [ -z "$(strays "$killed")" ] || fail "a take-over killed after ${delay}s left: $(strays "$killed")"
done
echo "ok - a take-over killed at any moment leaves one whole set"
