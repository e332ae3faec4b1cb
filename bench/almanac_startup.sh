#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up cost of tidewell-almanac: whole processes, timed over loops of runs with bash's
# `time`, once with no settings store and once with a store in the configuration folder.
#
#   bench/almanac_startup.sh ALMANAC [RUNS] [STORE_DB]
#
# RUNS (default 200) is the loop length of the short runs. STORE_DB is a settings.db to copy
# into a private configuration folder (the user's own store is never read); without it the
# runs with a store are left out. Prints milliseconds per run (wall clock and CPU).
set -euo pipefail

if [[ $# -lt 1 ]]; then
    echo "usage: $0 ALMANAC [RUNS] [STORE_DB]" >&2
    exit 2
fi
almanac=$(realpath "$1")
runs=${2:-200}
store=${3:-}
work=$(mktemp -d /tmp/almanac-startup.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/empty" "$work/stored/tidewell"
[[ -n "$store" ]] && cp "$store" "$work/stored/tidewell/settings.db"

# Wall-clock and CPU (user + system) milliseconds per run of "$@" over `count` runs, timed
# with bash's `time`; the CPU time is the steadier figure on a busy machine.
per_run() {
    local count=$1
    shift
    "$@" >/dev/null || { echo "failed: $*" >&2; exit 1; }
    local TIMEFORMAT='%R %U %S' real user sys
    read -r real user sys < <({ time (for ((i = 0; i < count; i++)); do "$@" >/dev/null; done); } 2>&1)
    awk -v r="$real" -v u="$user" -v s="$sys" -v n="$count" \
        'BEGIN { printf "%8.2f ms wall %8.2f ms cpu", r * 1000 / n, (u + s) * 1000 / n }'
}

year12() { # the twelve months of 2026, as a year's rise/set table is made
    for m in 1 2 3 4 5 6 7 8 9 10 11 12; do
        "$almanac" "$@" riseset 2026 "$m"
    done
}

report() { # $1 label, $2 config folder, $3.. observer options
    local label=$1 config=$2
    shift 2
    export XDG_CONFIG_HOME=$config
    echo "$label"
    echo "  easter 2026                  $(per_run "$runs" "$almanac" "$@" easter 2026)"
    echo "  riseset 2026 1               $(per_run "$runs" "$almanac" "$@" riseset 2026 1)"
    echo "  riseset 2026 1..12 (x12)     $(per_run $((runs / 10)) year12 "$@")"
    echo "  phases 1900 2100             $(per_run $((runs / 10)) "$almanac" "$@" phases 1900 2100)"
}

report "no settings store" "$work/empty"
if [[ -n "$store" ]]; then
    report "settings store, no observer options" "$work/stored"
    report "settings store, every observer option given" "$work/stored" \
        --lat 51.5 --lon 0 --zone 0 --dst
fi
