#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The menu launcher's choice of picture set, at build time: the built LAUNCHER
# is put into an install's layout (LAUNCHER-DIR, BIN-DIR, DATA-DIR as
# configured, under a folder of the test's) beside a quiz that prints its
# process and working directory, so it shows the folder the quiz would play,
# that the launcher became the quiz and that the quiz's exit status comes
# through. The set tarvelo-photos fills by default is then the one played.
# The autopkgtest menu-launcher checks the installed one with the real quiz.
# Usage: launcher-order.sh LAUNCHER TARVELO-PHOTOS DRAWINGS LAUNCHER-DIR BIN-DIR DATA-DIR
set -eu
[ $# -eq 6 ] || { echo "usage: $0 LAUNCHER TARVELO-PHOTOS DRAWINGS LAUNCHER-DIR BIN-DIR DATA-DIR" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
work=$(cd "$work" && pwd -P)
failures=0

# The install, in a folder whose name has a space, a quote and Czech letters.
root="$work/instalace učitel's"
launcher="$root$4/tarvelo-launch"
bin="$root$5"
bundled="$root$6/tarvelo"
mkdir -p "$(dirname "$launcher")" "$bin" "$bundled/obr/0"
cp "$1" "$launcher"
cp "$3"/*.jpg "$bundled/obr/0/"
cat >"$bin/tarvelo" <<'EOF'
#!/bin/sh
echo $$
pwd -P
exit 7
EOF
chmod +x "$bin/tarvelo"
cp "$2" "$bin/tarvelo-photos"
photo="$3/10.jpg"

set_in() { mkdir -p "$1/obr/0"; }
# expect CASE FOLDER ENV...: the launcher, run in environment ENV, starts the
# quiz in FOLDER as itself and exits with its status.
expect() {
    name=$1 want=$2
    shift 2
    status=0
    said=$(env "$@" sh -c 'echo $$; exec "$0"' "$launcher" 2>&1) || status=$?
    pid=$(echo "$said" | sed -n 1p)
    quiz=$(echo "$said" | sed -n 2p)
    got=$(echo "$said" | sed -n '3,$p')
    if [ "$got" = "$want" ] && [ "$quiz" = "$pid" ] && [ $status = 7 ]; then
        echo "ok - $name: $got" >&2
    elif [ "$got" != "$want" ]; then
        echo "not ok - $name: $got, not $want" >&2
        failures=$((failures + 1))
    else
        echo "not ok - $name: the quiz ran as $quiz, not $pid, and gave status $status, not 7" >&2
        failures=$((failures + 1))
    fi
}

home="$work/home of učitel's"
data="$work/data dirs"
mkdir -p "$home" "$data/first/tarvelo/obr"
set_in "$data/second/tarvelo"
# A relative entry is ignored, even where it names a set from the folder the
# launcher starts in.
set_in "$data/rel/tarvelo"
cd "$data"
dirs="rel:$data/first:$data/second"
expect "no set but the bundled one" "$bundled" -u XDG_DATA_HOME HOME="$home" \
    XDG_DATA_DIRS="rel:$data/first"
expect "class set, relative and incomplete ones skipped" "$data/second/tarvelo" \
    -u XDG_DATA_HOME HOME="$home" XDG_DATA_DIRS="$dirs"
set_in "$data/first/tarvelo"
expect "first class set wins" "$data/first/tarvelo" -u XDG_DATA_HOME HOME="$home" \
    XDG_DATA_DIRS="$dirs"
set_in "$home/.local/share/tarvelo"
expect "own set before class sets" "$home/.local/share/tarvelo" -u XDG_DATA_HOME HOME="$home" \
    XDG_DATA_DIRS="$dirs"
set_in "$work/xdg/tarvelo"
expect "own set in XDG_DATA_HOME" "$work/xdg/tarvelo" HOME="$home" XDG_DATA_HOME="$work/xdg" \
    XDG_DATA_DIRS="$dirs"
expect "relative XDG_DATA_HOME ignored" "$home/.local/share/tarvelo" HOME="$home" \
    XDG_DATA_HOME=xdg XDG_DATA_DIRS="$dirs"
expect "no HOME, no own set" "$data/first/tarvelo" -u HOME -u XDG_DATA_HOME XDG_DATA_DIRS="$dirs"
expect "glob characters in a data folder stay as they are" "$bundled" -u XDG_DATA_HOME \
    HOME="$work" XDG_DATA_DIRS="$data/*"

# What tarvelo-photos fills when named no folder is what the launcher plays.
teacher="$work/teacher"
mkdir -p "$teacher"
if env -u XDG_DATA_HOME HOME="$teacher" "$bin/tarvelo-photos" --import 4 "$photo" \
    >"$work/said" 2>&1; then
    expect "the own set tarvelo-photos made" "$teacher/.local/share/tarvelo" -u XDG_DATA_HOME \
        HOME="$teacher" XDG_DATA_DIRS="$dirs"
else
    echo "not ok - tarvelo-photos --import into the own set: $(cat "$work/said")" >&2
    failures=$((failures + 1))
fi
# An unzipped Tarvelo, its drawings in kresby beside the programs, edits and
# plays its own folder.
mkdir -p "$bin/kresby"
cp "$3"/*.jpg "$bin/kresby/"
if env -u XDG_DATA_HOME HOME="$teacher" "$bin/tarvelo-photos" --import 4 "$photo" \
    >"$work/said" 2>&1 && [ -f "$bin/obr/0/4.jpg" ]; then
    expect "the unzipped folder tarvelo-photos filled" "$bin" -u XDG_DATA_HOME \
        HOME="$teacher" XDG_DATA_DIRS="$dirs"
else
    echo "not ok - tarvelo-photos --import into the unzipped folder: $(cat "$work/said")" >&2
    failures=$((failures + 1))
fi
rm -r "$bin/kresby" "$bin/obr"

# Without the quiz the launcher says so and fails as a shell would.
rm "$bin/tarvelo"
status=0
env HOME="$home" "$launcher" 2>"$work/said" || status=$?
if [ $status = 127 ] && grep -q "tarvelo-launch: cannot start" "$work/said"; then
    echo "ok - no quiz: status 127, $(cat "$work/said")" >&2
else
    echo "not ok - no quiz: status $status, $(cat "$work/said")" >&2
    failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] || exit 1
