#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the game in a virtual X server and measures it from outside, through
# /proc: time from launch to the window mapped, CPU use with the table at
# rest, during a break and once the balls have settled, resident memory, and
# the tick rate with its worst gap.
#
# CPU time is the sum over the game's threads of /proc/PID/task/*/schedstat
# (nanoseconds on a CPU), read at both ends of a 10-second window. The window
# is mapped when the X server reports MapNotify for a top-level window (xev
# on the root window; there is no window manager). Ticks come from
# build/vorl-ticklog, the same game built with VORL_TICK_LOG, which writes the
# time of each tick to stderr; the shipped build/vorl has no such output, and
# every other figure is taken from it.
#
# Needs: xvfb-run (xvfb), xdotool, xev (x11-utils). Usage: bench/run_in_xvfb.sh [SECONDS]
set -euo pipefail
# A display of our own: xvfb-run starts an X server on a free one, runs this
# script again there and stops the server when it ends.
if [ -z "${VORL_IN_XVFB:-}" ]; then
    command -v xvfb-run >/dev/null ||
        { echo "missing xvfb-run: apt-get install --no-install-recommends xvfb" >&2; exit 1; }
    VORL_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$@"
fi
cd "$(dirname "$0")/.."
seconds=${1:-10}

for tool in xdotool xev stdbuf; do
    if ! command -v "$tool" >/dev/null; then
        echo "missing $tool: apt-get install --no-install-recommends xvfb xdotool x11-utils" >&2
        exit 1
    fi
done

cmake -S . -B build -DVORL_TICK_LOG=ON >/dev/null
cmake --build build --target vorl vorl-ticklog >/dev/null

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

export QT_QPA_PLATFORM=xcb

now_us() { echo $((${EPOCHREALTIME/./})); }

# CPU nanoseconds of every thread of a process, summed.
cpu_ns() {
    local total=0 run rest
    for f in /proc/"$1"/task/*/schedstat; do
        { read -r run rest <"$f"; } 2>/dev/null || continue
        total=$((total + run))
    done
    echo "$total"
}

# Percent of one core used by process $1 over the next $seconds seconds.
cpu_percent() {
    local c0 t0 c1 t1
    c0=$(cpu_ns "$1")
    t0=$(now_us)
    sleep "$seconds"
    c1=$(cpu_ns "$1")
    t1=$(now_us)
    awk -v c="$((c1 - c0))" -v t="$((t1 - t0))" 'BEGIN { printf "%.2f", c / (t * 10) }'
}

# Starts a game binary; sets game_pid and mapped_us (microseconds from launch
# to the first top-level MapNotify) and game_window.
launch() {
    local binary=$1 log=$2
    rm -f "$work/mapped" "$work/events"
    mkfifo "$work/events"
    stdbuf -oL xev -root -event substructure >"$work/events" &
    local xev_pid=$!
    while read -r line; do
        case $line in MapNotify*)
            now_us >"$work/mapped"
            break
            ;;
        esac
    done <"$work/events" &
    local reader_pid=$!
    sleep 0.3 # let xev select its events first
    local t0
    t0=$(now_us)
    "$binary" 2>"$log" &
    game_pid=$!
    pids+=("$game_pid")
    wait "$reader_pid"
    kill "$xev_pid" 2>/dev/null || true
    wait "$xev_pid" 2>/dev/null || true
    mapped_us=$(($(cat "$work/mapped") - t0))
    game_window=$(xdotool search --sync --onlyvisible --name "Darvo's Vorl Hall" | head -1)
}

stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# The break of the benchmarks: the pointer far right of the cue ball, then a
# press. The client area starts below the menu bar.
strike() {
    local height
    height=$(xdotool getwindowgeometry "$game_window" | awk '/Geometry/ { split($2, g, "x"); print g[2] }')
    xdotool mousemove --window "$game_window" 1066 $((height - 712 + 216))
    sleep 0.1
    xdotool click 1
}

# Ticks logged between two wall-clock times (microseconds): count per second
# and the longest gap between consecutive ticks, in milliseconds.
tick_stats() {
    awk -v from="$2" -v to="$3" '
        $1 == "tick" && $3 >= from && $3 < to {
            if (n > 0 && $2 - last > worst) worst = $2 - last
            last = $2; n++
        }
        END { printf "%.2f ticks/s, worst gap %.1f ms", n / ((to - from) / 1e6), worst / 1e6 }' "$1"
}

echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"

# Launch to window mapped, five times.
startups=()
for _ in 1 2 3 4 5; do
    launch build/vorl /dev/null
    startups+=("$((mapped_us / 1000))")
    stop "$game_pid"
done
echo "launch to window mapped (ms, 5 runs): ${startups[*]}"

# The shipped game: at rest, during the break, once the balls have settled.
launch build/vorl /dev/null
sleep 2
echo "CPU at rest (opening table, ${seconds} s): $(cpu_percent "$game_pid") % of one core"
strike
echo "CPU during the break (${seconds} s from the stroke): $(cpu_percent "$game_pid") % of one core"
echo "CPU once the balls settled (next ${seconds} s): $(cpu_percent "$game_pid") % of one core"
awk '/^(VmRSS|VmHWM)/ { printf "%s %s %s\n", $1, $2, $3 }' /proc/"$game_pid"/status
stop "$game_pid"

# Tick timing, from the logging build.
launch build/vorl-ticklog "$work/ticks"
sleep 2
t0=$(now_us)
sleep "$seconds"
strike
# From the press: the pointer's move before it wakes the game for one tick.
t1=$(now_us)
sleep "$seconds"
t2=$(now_us)
stop "$game_pid"
echo "ticks at rest:      $(tick_stats "$work/ticks" "$t0" "$t1")"
echo "ticks in the break: $(tick_stats "$work/ticks" "$t1" "$t2")"
