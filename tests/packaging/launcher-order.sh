#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The menu launcher's choice of picture set, at build time: LAUNCHER is made
# from the installed launcher's template with pwd as the quiz and BUNDLED as
# the installed set, so it prints the folder the quiz would play. The
# autopkgtest menu-launcher checks the installed one with the real quiz.
# Usage: launcher-order.sh LAUNCHER BUNDLED
set -eu
launcher=$1 bundled=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

set_in() { mkdir -p "$1/obr/0"; }
# expect CASE FOLDER ENV...
expect() {
    name=$1 want=$2
    shift 2
    got=$(env "$@" sh "$launcher") || got="(launcher failed)"
    if [ "$got" = "$want" ]; then
        echo "ok - $name: $got"
    else
        echo "not ok - $name: $got, not $want"
        failures=$((failures + 1))
    fi
}

home="$work/home of učitel's"
data="$work/data dirs"
set_in "$bundled"
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

[ "$failures" -eq 0 ] || exit 1
