#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start and memory of the window program against the least Qt Widgets program that shows a
# 640x480 window, on the same display: whole processes from exec to the painted window
# (both end there under TIDEWELL_QUIT_AFTER_PAINT), run in turn, on an existing settings
# store in a private configuration folder (the user's own is never opened). Then the
# program's resident memory after every window has been opened once (every_window_memory).
#
#   bench/window_startup.sh BUILD [RUNS] [PROGRAM]
#
# BUILD: the build folder with bench/minimal_window and bench/every_window_memory; PROGRAM
# (default BUILD/src/app/tidewell) is the program timed. Without a display it runs itself
# under xvfb-run. Prints the median, least and largest time (ms) and peak memory (kB).
set -euo pipefail

if [[ $# -lt 1 ]]; then
    echo "usage: $0 BUILD [RUNS] [PROGRAM]" >&2
    exit 2
fi
if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
build=$(realpath "$1")
runs=${2:-20}
program=$(realpath "${3:-$build/src/app/tidewell}")
minimal=$build/bench/minimal_window
work=$(mktemp -d /tmp/window-startup.XXXXXX)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb TIDEWELL_QUIT_AFTER_PAINT=1

# The first start makes the store; every timed start finds it.
"$program" >/dev/null 2>&1 || true
if [[ ! -f $XDG_CONFIG_HOME/tidewell/settings.db ]]; then
    echo "$program made no settings store in $XDG_CONFIG_HOME" >&2
    exit 1
fi

# One start of "$@": its wall milliseconds and peak resident kilobytes appended to file $1.
timed_start() {
    local file=$1
    shift
    local start=$EPOCHREALTIME
    /usr/bin/time -f %M -o "$work/peak" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    local end=$EPOCHREALTIME
    echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", (b - a) * 1000 }') $(tail -n 1 "$work/peak")" >>"$file"
}

# Median, least and largest of column $2 of file $1.
spread() {
    sort -n -k "$2" "$1" | awk -v c="$2" '{ v[NR] = $c }
        END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
              printf "%.1f (%.1f-%.1f)", m, v[1], v[NR] }'
}

median() { spread "$1" "$2" | cut -d' ' -f1; }

timed_start "$work/warm" "$minimal"
for ((i = 0; i < runs; ++i)); do
    timed_start "$work/minimal" "$minimal"
    timed_start "$work/program" "$program"
done
echo "runs: $runs each, in turn"
echo "minimal window: $(spread "$work/minimal" 1) ms, peak $(spread "$work/minimal" 2) kB"
echo "program:        $(spread "$work/program" 1) ms, peak $(spread "$work/program" 2) kB"
awk -v a="$(median "$work/program" 1)" -v b="$(median "$work/minimal" 1)" \
    -v c="$(median "$work/program" 2)" -v d="$(median "$work/minimal" 2)" \
    'BEGIN { printf "ratio of medians: start %.2fx, memory %.2fx\n", a / b, c / d }'

unset TIDEWELL_QUIT_AFTER_PAINT
"$build/bench/every_window_memory" | tee "$work/every"
awk -v d="$(median "$work/minimal" 2)" \
    '/^every window/ { printf "every window opened once: peak %.2fx the minimal window\n", $(NF - 1) / d }' "$work/every"
