#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One copy of the program per settings store: a second start on the store of a running copy
# hands over to it and exits 0 while the first runs on; a start on another store runs beside
# it; a socket left by a copy that was killed does not stop the next start.
#   one_copy_test.sh BUILD_DIR
set -uo pipefail
tidewell=$(realpath "$1")/src/app/tidewell
export QT_QPA_PLATFORM=offscreen
scratch=$(mktemp -d)
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait
  rm -rf "$scratch"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# A copy in the background on the store of a configuration folder; its id in $started.
start() {
  XDG_CONFIG_HOME=$scratch/$1 "$tidewell" >>"$scratch/$1.log" 2>&1 &
  started=$!
  pids+=("$started")
}
# Waits until n sockets are listening in the runtime folder.
listening() {
  for _ in $(seq 150); do
    [ "$(find "$XDG_RUNTIME_DIR" -type s | wc -l)" -ge "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
# A start that must hand over to the copy running on the store, and end.
hands_over() {
  XDG_CONFIG_HOME=$scratch/$1 timeout 20 "$tidewell" >>"$scratch/$1.log" 2>&1 ||
    fail "a second start on $1 ended with status $? instead of handing over"
}

start home
first=$started
listening 1 || fail "the first copy does not listen"
hands_over home
kill -0 "$first" 2>/dev/null || fail "the first copy ended when the second started"

start other
listening 2 || fail "a copy on another store does not run beside the first"

# Killed without cleaning up, the first copy leaves its socket behind.
kill -9 "$first"
wait "$first" 2>/dev/null
start home
sleep 2
kill -0 "$started" 2>/dev/null || fail "a socket left by a killed copy stopped the next start"
hands_over home

[ "$failures" -eq 0 ] || { cat "$scratch"/*.log; exit 1; }
echo "one copy a store checked"
