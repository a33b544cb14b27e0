#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows toolchain's deb-src step on a machine that has none: entries are
# made once, only from the release's own Debian entries, apt sees no entry
# twice, nothing reaches standard output, and a second run changes nothing.
# Usage: add-deb-src.sh SCRIPT
set -eu
script=$1
codename=$(. /etc/os-release && printf '%s' "$VERSION_CODENAME")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
etc="$work/etc"
mkdir -p "$etc/sources.list.d" "$work/lists/partial"
fail() { echo "FAIL: $*" >&2; exit 1; }
# A third-party archive: no deb-src entry is to be made from it.
vendor_entry() {
    cat > "$etc/sources.list.d/vendor.sources" <<SOURCES
Types: deb
URIs: https://vendor.invalid/apt
Suites: nodistro
Components: main
SOURCES
}

cat > "$etc/sources.list.d/debian.sources" <<SOURCES
Types: deb
# a comment inside an entry
URIs: http://archive.invalid/debian
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://archive.invalid/debian-security
Suites: $codename-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://archive.invalid/debian
Suites: $codename-backports
Components: main
Enabled: no
SOURCES
vendor_entry
cat > "$etc/sources.list" <<LIST
# deb http://archive.invalid/debian $codename contrib
deb [arch=amd64] http://archive.invalid/debian $codename-backports main
deb https://vendor.invalid/cloud cloud-sdk-$codename main
LIST

apt_targets() {
    apt-get -o Dir::Etc="$etc" -o Dir::State::Lists="$work/lists" -o Debug::NoLocking=1 \
        indextargets --no-release-info --format '$(CREATED_BY) $(SITE) $(RELEASE)' 2>"$work/apt-warnings"
}

status=0
"$script" "$etc" > "$work/stdout" 2>/dev/null || status=$?
[ "$status" -eq 0 ] || fail "first run: exit status $status, expected 0"
[ ! -s "$work/stdout" ] || fail "first run wrote to standard output: $(cat "$work/stdout")"

apt_targets | grep '^Sources ' | sort > "$work/targets"
[ ! -s "$work/apt-warnings" ] || fail "apt warns: $(cat "$work/apt-warnings")"
cat > "$work/expected" <<EXPECTED
Sources http://archive.invalid/debian $codename
Sources http://archive.invalid/debian $codename-backports
Sources http://archive.invalid/debian $codename-updates
Sources http://archive.invalid/debian-security $codename-security
EXPECTED
sort "$work/expected" | cmp -s - "$work/targets" ||
    fail "deb-src entries: got [$(cat "$work/targets")], expected [$(cat "$work/expected")]"
ls -A "$etc/sources.list.d" | grep -q '^\.' && fail "a temporary file was left behind"

sum_before=$(cat "$etc"/sources.list.d/* | sha256sum)
status=0
"$script" "$etc" > "$work/stdout" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "second run: exit status $status, expected 1 (nothing to add)"
[ ! -s "$work/stdout" ] || fail "second run printed: $(cat "$work/stdout")"
[ "$(cat "$etc"/sources.list.d/* | sha256sum)" = "$sum_before" ] || fail "second run changed the entries"

# Only third-party entries: nothing to make deb-src entries from is an error.
rm -f "$etc"/sources.list.d/* "$etc/sources.list"
vendor_entry
status=0
"$script" "$etc" > "$work/stdout" 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "third-party only: exit status $status, expected 2"
[ ! -e "$etc/sources.list.d/tarvelo-deb-src.sources" ] || fail "third-party only: entries written"
echo "deb-src entries: made once from the release's own entries"
