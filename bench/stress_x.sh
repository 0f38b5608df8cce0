#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Random X input on the real window: runs build/dev/vorl under Xvfb and feeds it
# pointer moves, presses, menu access keys and Enter through xdotool (XTEST)
# for DURATION seconds (default 180), sampling its resident memory. Fails if
# the game dies, or if its resident size grows by more than SLACK_KIB (default
# 16384) between the first sample after the warm-up and the last one.
# File > Exit is never chosen: no Alt+F4, and after Alt+F only R, then Escape.
# Usage: bench/stress_x.sh [DURATION [GAME]]
set -euo pipefail
# A display of our own: xvfb-run starts an X server on a free one, runs this
# script again there and stops the server when it ends.
if [ -z "${VORL_IN_XVFB:-}" ]; then
    VORL_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$@"
fi

duration=${1:-180}
game=${2:-"$(dirname "$0")/../build/dev/vorl"}
slack_kib=${SLACK_KIB:-16384}
for tool in xdotool; do
    command -v "$tool" >/dev/null || { echo "stress_x: $tool is missing" >&2; exit 1; }
done
[ -x "$game" ] || { echo "stress_x: no game at $game" >&2; exit 1; }

work=$(mktemp -d)
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

QT_QPA_PLATFORM=xcb "$game" >"$work/game.log" 2>&1 &
game_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "Darvo's Vorl Hall" | head -n1)
eval "$(xdotool getwindowgeometry --shell "$window")"  # X Y WIDTH HEIGHT
# Presses land on the table, below the menu bar; menus are opened with the
# pointer parked at the bottom right, away from where they drop down.
top=$((Y + 40))
park_x=$((X + WIDTH - 10))
park_y=$((Y + HEIGHT - 10))

boxed_keys=0
alive() {
    kill -0 "$game_pid" 2>/dev/null
}
rss_kib() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$game_pid/status"
}
box() {
    { xdotool search --onlyvisible --name '^Vorl$' 2>/dev/null || true; } | head -n1
}
# With no window manager nobody gives the keyboard focus: keys go to the open
# message box if there is one, else to the game's window.
keys() {
    local target
    target=$(box)
    [ -n "$target" ] && boxed_keys=$((boxed_keys + 1))
    xdotool windowfocus "${target:-$window}" key --delay 40 "$@"
}
menu_keys() {
    xdotool mousemove "$park_x" "$park_y"
    keys "$@"
}

# First make sure keys reach the game: the credit box opens and Enter closes it.
menu_keys alt+h g
sleep 0.5
[ -n "$(box)" ] || { echo "stress_x: Help > Programer opened no box" >&2; exit 1; }
keys Return
sleep 0.5
[ -z "$(box)" ] || { echo "stress_x: Enter did not close the box" >&2; exit 1; }

RANDOM=${SEED:-4242}
start=$SECONDS
next_sample=$start
warm_up=$((start + duration / 5))
samples=()
warm_rss=""
actions=0
while [ $((SECONDS - start)) -lt "$duration" ]; do
    x=$((X + 5 + RANDOM % (WIDTH - 10)))
    y=$((top + RANDOM % (Y + HEIGHT - 5 - top)))
    roll=$((RANDOM % 100))
    if [ $roll -lt 45 ]; then
        xdotool mousemove "$x" "$y"
    elif [ $roll -lt 75 ]; then
        xdotool mousemove "$x" "$y" click 1
    elif [ $roll -lt 78 ]; then
        menu_keys alt+f r Escape Escape Escape
    elif [ $roll -lt 83 ]; then
        board=(g c u)
        menu_keys alt+d b "${board[RANDOM % 3]}" Escape Escape Escape
    elif [ $roll -lt 87 ]; then
        border=(b c r)
        menu_keys alt+d Up Right "${border[RANDOM % 3]}" Escape Escape Escape
    elif [ $roll -lt 89 ]; then
        menu_keys alt+d d "$((RANDOM % 4))" Escape Escape Escape
    elif [ $roll -lt 92 ]; then
        menu_keys alt+h t
    elif [ $roll -lt 94 ]; then
        menu_keys alt+h g  # the credit box stays open until an Enter
    else
        keys Return
    fi
    actions=$((actions + 1))
    if ! alive; then
        wait "$game_pid" && code=0 || code=$?
        game_pid=""
        echo "stress_x: the game ended (status $code) after $actions actions" >&2
        cat "$work/game.log" >&2
        exit 1
    fi
    if [ "$SECONDS" -ge "$next_sample" ]; then
        rss=$(rss_kib)
        samples+=("$((SECONDS - start))s:${rss}")
        [ -z "$warm_rss" ] && [ "$SECONDS" -ge "$warm_up" ] && warm_rss=$rss
        next_sample=$((SECONDS + 10))
    fi
done

last_rss=$(rss_kib)
samples+=("$((SECONDS - start))s:${last_rss}")
warm_rss=${warm_rss:-$last_rss}
echo "stress_x: $actions actions in $((SECONDS - start)) s, $boxed_keys of them keys to an open box"
echo "stress_x: VmRSS KiB by time: ${samples[*]}"
if [ "$last_rss" -gt $((warm_rss + slack_kib)) ]; then
    echo "stress_x: resident size grew from $warm_rss KiB to $last_rss KiB" >&2
    exit 1
fi
echo "stress_x: the game is still running; resident $warm_rss KiB after the warm-up, $last_rss KiB at the end"
