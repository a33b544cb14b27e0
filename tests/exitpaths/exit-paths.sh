#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Every way of ending the real program, played as a player would: keys go
# through the X server to the focused window, closes go through a window
# manager. Each ending must give exit status 0 within a few seconds.
# Usage: exit-paths.sh path/to/tarvelo [endings|result-page-keys|fixed-size|announcements]
# fixed-size: a resize and a maximise request leave both windows at their size.
# announcements (Windows build only): what a wrong answer and the score tell
# UI Automation; TARVELO_UIA_STANDIN names the folder holding the stand-in
# uiautomationcore.dll and uia-client.exe.
# A Windows build (path/to/tarvelo.exe) runs under Wine, where the session's
# end is Windows' own (wineboot --end-session) instead of SIGTERM.
# TARVELO_WM picks the window manager: openbox (the default) or icewm, which
# resizes and maximises windows whatever their size hints say.
# With TARVELO_SHOTS=dir set, a screenshot of the start-up error box lands there.
set -eu

tarvelo=$(realpath "$1")
cases=${2:-endings}
wm=${TARVELO_WM:-openbox}
case $tarvelo in
*.exe) runner=wine ;;
*) runner="" ;;
esac
case $wm in
openbox | icewm) ;;
*)
    echo "exit-paths: unknown window manager '$wm'" >&2
    exit 2
    ;;
esac
for tool in Xvfb "$wm" xdotool wmctrl convert $runner; do
    if ! command -v "$tool" >/dev/null; then
        echo "exit-paths: $tool is missing; scripts/install-deps installs it" >&2
        exit 1
    fi
done

# The program must meet a real window system here, not the headless one.
if [ -n "$runner" ]; then
    unset QT_QPA_PLATFORM
else
    export QT_QPA_PLATFORM=xcb
fi
unset WAYLAND_DISPLAY

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvelo-exit-XXXXXX")
xvfb_pid=""
wm_pid=""
app_pid=""
runner_pid=""

cleanup() {
    for pid in $app_pid $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    echo "FAIL: $*" >&2
    [ -s "$work/app.log" ] && sed 's/^/  tarvelo: /' "$work/app.log" >&2
    exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Runs the command until it succeeds, for at most $1 seconds.
wait_for() {
    limit_ms=$(($1 * 1000))
    shift
    end=$(($(now_ms) + limit_ms))
    until "$@" >/dev/null 2>&1; do
        [ "$(now_ms)" -lt "$end" ] || return 1
        sleep 0.05
    done
}

# Photographs of different sizes, so every load really replaces the picture,
# in a folder named the way a Czech teacher's might be.
photos="$work/Učitel/Tarvelo hra"
mkdir -p "$photos/obr/0"
i=0
while [ $i -lt 19 ]; do
    convert -size "$((160 + 8 * i))x$((120 + 5 * i))" "gradient:#$((10 + i))4020-#20$((60 + i))a0" \
        -quality 85 "$photos/obr/0/$i.jpg"
    i=$((i + 1))
done
no_first="$work/no-first"
mkdir -p "$no_first/obr"
cp -r "$photos/obr/0" "$no_first/obr/0"
rm "$no_first/obr/0/0.jpg"

# A display of our own on a free number, and a window manager on it.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 10 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
# The window manager starts only once the server takes connections; on a
# busy machine that can come a moment after Xvfb names its display.
wait_for 10 xdotool getdisplaygeometry || fail "Xvfb on $DISPLAY takes no connections"
mkdir -p "$work/config" "$work/cache"
if [ "$wm" = icewm ]; then
    set -- icewm
else
    set -- openbox --sm-disable
fi
# On a machine busy with other tests the window manager has now and then
# failed to open the display it was given; it gets three tries.
for try in 1 2 3; do
    XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" ICEWM_PRIVCFG="$work/config/icewm" \
        "$@" >"$work/wm.log" 2>&1 &
    wm_pid=$!
    wait_for 10 wmctrl -m && break
    kill "$wm_pid" 2>/dev/null || true
    [ "$try" -lt 3 ] || fail "$wm did not start: $(cat "$work/wm.log")"
    echo "$wm did not start, try $try: $(cat "$work/wm.log")" >&2
    sleep 1
done

# Starts the program in directory $1; its exit status lands in $work/status.
start_quiz() {
    rm -f "$work/status" "$work/pid" "$work/app.log"
    (
        cd "$1"
        $runner "$tarvelo" >"$work/app.log" 2>&1 &
        echo $! >"$work/pid.new"
        mv "$work/pid.new" "$work/pid"
        rc=0
        wait $! || rc=$?
        echo $rc >"$work/status.new"
        mv "$work/status.new" "$work/status"
    ) &
    runner_pid=$!
    wait_for 5 test -s "$work/pid" || fail "the program did not start"
    app_pid=$(cat "$work/pid")
}

running() { [ ! -e "$work/status" ]; }

# The case ends when the program has ended by itself, promptly, with status 0.
expect_exit() {
    wait_for 5 test -e "$work/status" || fail "$1: still running 5 s after it should have ended"
    wait "$runner_pid" || true
    rc=$(cat "$work/status")
    app_pid=""
    [ "$rc" = 0 ] || fail "$1: exit status $rc"
    echo "ok - $1"
}

# The visible window whose title is exactly $1 (xdotool's match ignores case).
visible_window() {
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id")" = "$1" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# Waits for the window titled $1 to be shown and to hold the keyboard focus;
# prints its id. Where the window manager does not hand it the focus on its
# own, the player clicks it, which activates it.
await_window() {
    running || fail "the program ended while waiting for '$1'"
    wait_for 10 visible_window "$1" || fail "no window titled '$1' appeared"
    id=$(visible_window "$1")
    if ! wait_for 2 is_active "$id"; then
        xdotool windowactivate "$id" 2>/dev/null || true
        wait_for 5 is_active "$id" || fail "window '$1' did not get the focus"
    fi
    echo "$id"
}

keys() { xdotool key --delay 15 "$@"; }

# From the start window to the result page by keyboard: Enter presses "OK";
# in the quiz window 38 Enters answer the 19 questions wrongly (nothing is
# chosen) and move on each time, the last one to the result page.
play_round_to_result_page() {
    await_window "Start page" >/dev/null
    keys Return
    await_window "Tarvelo" >/dev/null
    keys --repeat 38 Return
    wait_for 10 sh -c '! xdotool search --onlyvisible --name "^Tarvelo\$" >/dev/null' ||
        fail "the quiz window did not close at the end of the round"
    await_window "Start page" >/dev/null
}

# Centre of a push button of the start window, in its client coordinates
# (page at 24,24; buttons 75 x 25 at top 72).
button_x() { echo $((24 + $1 + 37)); }
button_y=$((24 + 72 + 12))
click_button() { # window id, button left
    xdotool mousemove --window "$1" "$(button_x "$2")" "$button_y" click 1
}
konec_left=241
znovu_left=160

# Client size of window $1 as WIDTHxHEIGHT.
client_size() {
    xdotool getwindowgeometry "$1" | sed -n 's/^ *Geometry: *//p'
}

# Asks the window manager to resize window $1 ($2 titled), then to maximise
# it; each time it must come back to $3 (WIDTHxHEIGHT).
expect_fixed_size() {
    [ "$(client_size "$1")" = "$3" ] || fail "$2: $(client_size "$1") instead of $3"
    xdotool windowsize "$1" 506 447
    sleep 0.5
    wait_for 3 test "$(client_size "$1")" = "$3" ||
        fail "$2: $(client_size "$1") after a resize request, not $3"
    wmctrl -i -r "$1" -b add,maximized_vert,maximized_horz
    sleep 0.5
    wait_for 3 test "$(client_size "$1")" = "$3" ||
        fail "$2: $(client_size "$1") after a maximise request, not $3"
    echo "ok - $2 stays $3 under $wm"
}

if [ "$cases" = fixed-size ]; then
    start_quiz "$photos"
    id=$(await_window "Start page")
    expect_fixed_size "$id" "the start window" 386x157
    keys Return
    id=$(await_window "Tarvelo")
    expect_fixed_size "$id" "the quiz window" 935x390
    keys Return # a wrong answer: the correction shows
    expect_fixed_size "$id" "the quiz window with its correction" 935x390
    wmctrl -i -c "$id"
    expect_exit "closing the quiz window after the resize requests"
    exit 0
fi

if [ "$cases" = announcements ]; then
    [ -n "$runner" ] || fail "announcements: only a Windows build tells UI Automation"
    standin=${TARVELO_UIA_STANDIN:?TARVELO_UIA_STANDIN names the stand-in UI Automation folder}
    # Qt loads the library from the system folder only; the prefix's own copy
    # is put back when the run ends.
    system32="${WINEPREFIX:?}/drive_c/windows/system32"
    # Replaced by renaming, so that a program still running keeps the copy it loaded.
    put_uia() {
        cp "$1" "$system32/uiautomationcore.dll.new"
        mv "$system32/uiautomationcore.dll.new" "$system32/uiautomationcore.dll"
    }
    cp "$system32/uiautomationcore.dll" "$work/uiautomationcore.wine.dll"
    trap 'put_uia "$work/uiautomationcore.wine.dll"; cleanup' EXIT
    put_uia "$standin/uiautomationcore.dll"
    WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}uiautomationcore=n"
    log="$work/uia.log"
    : >"$log"
    TARVELO_UIA_LOG=$(winepath -w "$log" 2>/dev/null)
    export WINEDLLOVERRIDES TARVELO_UIA_LOG
    notifications() { sed -n 's/^notification //p' "$log"; }

    start_quiz "$photos"
    await_window "Start page" >/dev/null
    keys Return
    await_window "Tarvelo" >/dev/null
    # Before any screen reader has asked, Qt's accessibility is off.
    keys Return
    sleep 1
    [ -z "$(notifications)" ] || fail "told UI Automation before anyone asked: $(notifications)"
    wine "$standin/uia-client.exe" Tarvelo || fail "the quiz window did not answer WM_GETOBJECT"
    # NEXT, then 18 more wrong answers each followed by NEXT, the last to the
    # result page. Kind 4: other; processing 1: important, most recent.
    keys --repeat 37 Return
    await_window "Start page" >/dev/null
    wait_for 5 sh -c "grep -q 'Výsledek' '$log'" || fail "no score told: $(cat "$log")"
    notifications >"$work/told"
    [ "$(wc -l <"$work/told")" = 19 ] || fail "not 18 corrections and a score: $(cat "$work/told")"
    n=2
    while IFS= read -r line; do
        if [ $n -le 19 ]; then
            printf '%s\n' "$line" | grep -Eqx "4 1 Oprava: [^,]+, Chyb: $n/$n" ||
                fail "correction $n told as '$line'"
        else
            [ "$line" = "4 1 Výsledek: Začátečník: Skore: 19 / 19" ] ||
                fail "the score told as '$line'"
        fi
        n=$((n + 1))
    done <"$work/told"
    echo "ok - 18 corrections and the score told: $(notifications | sed -n '1p;$p' | tr '\n' '|')"
    : >"$log"
    keys Return Return # Znovu, OK
    await_window "Tarvelo" >/dev/null
    keys Return
    wait_for 5 sh -c "grep -q '^notification' '$log'" || fail "the first correction was not told"
    [ "$(notifications)" = "4 1 Oprava: Charolais, Chyb: 1/1" ] ||
        fail "the first correction told as '$(notifications)'"
    echo "ok - a wrong first answer reaches UI Automation as '$(notifications | cut -d' ' -f3-)'"
    id=$(visible_window "Tarvelo")
    wmctrl -i -c "$id"
    expect_exit "closing the quiz window after the announcements"
    exit 0
fi

if [ "$cases" = result-page-keys ]; then
    # On the result page Enter presses "Znovu"; Tab, Enter presses "Konec".
    start_quiz "$photos"
    play_round_to_result_page
    keys Return Return # "Znovu", then "OK" on the difficulty page
    wait_for 5 visible_window "Tarvelo" ||
        fail "Enter on the result page did not press Znovu (the program $(running &&
            echo 'is still on the start window' || echo 'ended'))"
    echo "ok - Enter on the result page presses Znovu"
    keys --repeat 38 Return
    await_window "Start page" >/dev/null
    keys Tab Return
    expect_exit "Tab, Enter on the result page presses Konec"
    exit 0
fi

# 1. "Konec" on the result page, clicked.
start_quiz "$photos"
play_round_to_result_page
click_button "$(visible_window "Start page")" $konec_left
expect_exit "Konec on the result page"

# 2. Closing the start window on its difficulty page, before any round.
start_quiz "$photos"
id=$(await_window "Start page")
wmctrl -i -c "$id"
expect_exit "closing the start window on the difficulty page"

# 3. Closing the start window on the result page, by Alt+F4 through the window manager.
start_quiz "$photos"
play_round_to_result_page
keys alt+F4
expect_exit "Alt+F4 on the start window's result page"

# 4. Closing the quiz window in the middle of a round, by its close button
#    (the window manager's close request) and by Alt+F4.
start_quiz "$photos"
await_window "Start page" >/dev/null
keys Return
id=$(await_window "Tarvelo")
keys Return Return Return
wmctrl -i -c "$id"
expect_exit "closing the quiz window mid-round"

start_quiz "$photos"
await_window "Start page" >/dev/null
keys Return
await_window "Tarvelo" >/dev/null
keys Return
keys alt+F4
expect_exit "Alt+F4 on the quiz window mid-round"

# 5. The session ending (SIGTERM; on Windows, logging off): on the start
#    window and mid-round.
end_session() {
    if [ -n "$runner" ]; then
        wine wineboot --end-session >/dev/null 2>&1
    else
        kill -TERM "$app_pid"
    fi
}
start_quiz "$photos"
await_window "Start page" >/dev/null
end_session
expect_exit "the session ending on the start window"

start_quiz "$photos"
await_window "Start page" >/dev/null
keys Return
await_window "Tarvelo" >/dev/null
keys Return Return
end_session
expect_exit "the session ending mid-round"

# 6. Escape does nothing in either window. After each Escape the window must
#    still answer the keys that follow exactly as it would have without it.
start_quiz "$photos"
await_window "Start page" >/dev/null
keys Escape
keys Return # still the difficulty page: "OK"
await_window "Tarvelo" >/dev/null
keys Escape
# Had Escape pressed the answer button, 37 Enters would already end the round.
keys --repeat 37 Return
sleep 0.5
visible_window "Tarvelo" >/dev/null || fail "Escape in the quiz window changed the round"
running || fail "Escape in the quiz window ended the program"
keys Return
id=$(await_window "Start page")
keys Escape
sleep 0.5
running || fail "Escape on the result page ended the program"
click_button "$id" $znovu_left # the result page is still there
keys Return                    # "OK" on the difficulty page
await_window "Tarvelo" >/dev/null
running || fail "Escape on the result page ended the program"
echo "ok - Escape does nothing in either window"
id=$(visible_window "Tarvelo")
wmctrl -i -c "$id"
expect_exit "closing the quiz window after the Escapes"

# 7. Start-up with picture 0 missing: the error box, captioned with the
#    application title, comes before any other window; after it the start
#    window shows and the program ends normally.
start_quiz "$no_first"
box=$(await_window "tarvelo")
visible_window "Start page" >/dev/null && fail "the start window showed before the error box"
if [ -n "${TARVELO_SHOTS:-}" ]; then
    mkdir -p "$TARVELO_SHOTS"
    import -window root "$TARVELO_SHOTS/startup-error-box.png"
fi
keys Return
wait_for 5 sh -c "! xdotool search --onlyvisible --name '^tarvelo\$' | grep -qx '$box'" ||
    fail "Enter did not close the error box"
id=$(await_window "Start page")
echo "ok - error box first when picture 0 is missing, then the start window"
wmctrl -i -c "$id"
expect_exit "closing the start window after the start-up error"

echo "exit paths: all passed"
