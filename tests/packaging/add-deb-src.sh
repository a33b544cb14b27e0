#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows toolchain's deb-src step on a machine that has none: entries are
# made once, from Debian's own entries in sources.list, *.list and *.sources
# (told by Debian's keyring in Signed-By, or else by the Release file apt
# fetched), never from a third party's archive, even one whose suite is the
# release's codename; apt sees no entry twice, nothing reaches standard
# output, and a second run changes nothing.
# Usage: add-deb-src.sh SCRIPT
set -eu
script=$1
codename=$(. /etc/os-release && printf '%s' "$VERSION_CODENAME")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
etc="$work/etc"
lists="$work/lists"
mkdir -p "$etc/sources.list.d" "$lists/partial"
fail() { echo "FAIL: $*" >&2; exit 1; }

# release FILE ORIGIN: a Release file in apt's lists folder, as apt-get update
# leaves it (named after the archive's URI and suite).
release() {
    printf 'Origin: %s\nLabel: %s\nCodename: %s\nComponents: main contrib\n' \
        "$2" "$2" "$codename" > "$lists/$1"
}
# The same, signed inline, as most archives publish it.
in_release() {
    {
        printf '%s\nHash: SHA512\n\n' '-----BEGIN PGP SIGNED MESSAGE-----'
        printf 'Origin: %s\nLabel: %s\nSuite: stable\nCodename: %s\n' "$2" "$2" "$codename"
        printf 'SHA256:\n 0123 42 main/binary-amd64/Packages\n'
        printf '%s\n\nnot a signature\n%s\n' '-----BEGIN PGP SIGNATURE-----' '-----END PGP SIGNATURE-----'
    } > "$lists/$1"
}

# Third-party archives, which get no deb-src entry: one for Debian whose
# suite is the codename, signed by its own key (whatever its Release file
# claims), and one-line ones without Signed-By whose Release files name their
# vendor or were not fetched.
vendor_entries() {
    cat > "$etc/sources.list.d/vendor.sources" <<SOURCES
Types: deb
URIs: https://vendor.invalid/linux/debian
Suites: $codename
Components: stable
Signed-By: /etc/apt/keyrings/vendor.asc
SOURCES
    cat > "$etc/sources.list.d/vendor-cloud.list" <<LIST
deb https://vendor.invalid/cloud cloud-sdk-$codename main
deb [arch=amd64] https://vendor.invalid/tools $codename main
LIST
    in_release "vendor.invalid_tools_dists_${codename}_InRelease" "Vendor Tools"
    release "vendor.invalid_linux_debian_dists_${codename}_Release" Debian
}

cat > "$etc/sources.list.d/debian.sources" <<SOURCES
# Debian, as a Debian 12 container image writes it.

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
Suites: $codename-proposed-updates
Components: main
Enabled: no
SOURCES
# Debian in one-line entries, with no Signed-By: known by their Release files.
cat > "$etc/sources.list.d/mirror.list" <<LIST
# a mirror near the school
deb http://mirror.archive.invalid/debian/ $codename main contrib # both
deb http://mirror.archive.invalid/debian/ $codename main contrib
LIST
in_release "mirror.archive.invalid_debian_dists_${codename}_InRelease" Debian
vendor_entries
cat > "$etc/sources.list" <<LIST
# deb http://archive.invalid/debian $codename contrib
deb [ arch=amd64 ] http://archive.invalid/debian $codename-backports main
LIST
release "archive.invalid_debian_dists_${codename}-backports_Release" "Debian Backports"

apt_targets() {
    apt-get -o Dir::Etc="$etc" -o Dir::State::Lists="$lists" -o Debug::NoLocking=1 \
        indextargets --no-release-info --format '$(CREATED_BY) $(SITE) $(RELEASE) $(COMPONENT)' \
        2>"$work/apt-warnings"
}

status=0
"$script" "$etc" "$lists" > "$work/stdout" 2>"$work/stderr" || status=$?
[ "$status" -eq 0 ] || fail "first run: exit status $status, expected 0: $(cat "$work/stderr")"
[ ! -s "$work/stdout" ] || fail "first run wrote to standard output: $(cat "$work/stdout")"

apt_targets | grep '^Sources ' | sort > "$work/targets"
# The mirror's entry written twice is the machine's own doing, which apt
# warns of; the entries made here must not add to that.
! grep tarvelo-deb-src "$work/apt-warnings" || fail "apt warns of the entries made"
cat > "$work/expected" <<EXPECTED
Sources http://archive.invalid/debian $codename main
Sources http://archive.invalid/debian $codename-backports main
Sources http://archive.invalid/debian $codename-updates main
Sources http://archive.invalid/debian-security $codename-security main
Sources http://mirror.archive.invalid/debian $codename contrib
Sources http://mirror.archive.invalid/debian $codename main
EXPECTED
sort "$work/expected" | cmp -s - "$work/targets" ||
    fail "deb-src entries: got [$(cat "$work/targets")], expected [$(cat "$work/expected")]"
grep -q 'arch=amd64' "$etc/sources.list.d/tarvelo-deb-src.list" ||
    fail "the backports entry lost its options: $(cat "$etc/sources.list.d/tarvelo-deb-src.list")"
ls -A "$etc/sources.list.d" | grep -q '^\.' && fail "a temporary file was left behind"

sum_before=$(cat "$etc"/sources.list.d/* | sha256sum)
status=0
"$script" "$etc" "$lists" > "$work/stdout" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "second run: exit status $status, expected 1 (nothing to add)"
[ ! -s "$work/stdout" ] || fail "second run printed: $(cat "$work/stdout")"
[ "$(cat "$etc"/sources.list.d/* | sha256sum)" = "$sum_before" ] || fail "second run changed the entries"

# Only third-party entries, and a Debian one whose Release file was never
# fetched: nothing to make deb-src entries from is an error, and says why.
rm -f "$etc"/sources.list.d/* "$etc/sources.list"
vendor_entries
echo "deb http://archive.invalid/debian $codename main" > "$etc/sources.list"
status=0
"$script" "$etc" "$lists" > "$work/stdout" 2>"$work/stderr" || status=$?
[ "$status" -eq 2 ] || fail "third-party only: exit status $status, expected 2"
grep -q "apt-get update" "$work/stderr" || fail "third-party only: $(cat "$work/stderr")"
[ ! -e "$etc/sources.list.d/tarvelo-deb-src.sources" ] &&
    [ ! -e "$etc/sources.list.d/tarvelo-deb-src.list" ] || fail "third-party only: entries written"

# Entries apt cannot read are an error too, not a guess.
echo "deb-nonsense http://archive.invalid/debian $codename main" > "$etc/sources.list"
status=0
"$script" "$etc" "$lists" > "$work/stdout" 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "unreadable entries: exit status $status, expected 2"
echo "deb-src entries: made once from Debian's own entries"
