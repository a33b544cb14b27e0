# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests that start the installed quiz: reruns the test under a
# virtual display of its own, then offers start_window and end_with_sigterm.

if [ -z "${TARVELO_TEST_DISPLAY:-}" ]; then
    TARVELO_TEST_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
# Qt warns on standard error without a runtime folder.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

fail() {
    echo "$(basename "$0"): $*"
    exit 1
}

# start_window PID CASE: waits up to 20 s for the visible start window and
# fails unless process PID itself shows it.
start_window() {
    id=$(timeout 20 xdotool search --sync --onlyvisible --name '^Start page$' | head -n 1) || true
    [ -n "$id" ] || fail "$2: no start window after 20 s"
    owner=$(xdotool getwindowpid "$id")
    [ "$owner" = "$1" ] || fail "$2: the start window is process $owner's, not $1's"
}

# end_with_sigterm PID CASE: PID, a child of this shell, must end with status 0.
end_with_sigterm() {
    kill -TERM "$1"
    status=0
    wait "$1" || status=$?
    [ "$status" -eq 0 ] || fail "$2: status $status after SIGTERM"
}
