#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Both programs' command lines: --version gives the one version of src/engine/program_version.h
# (which the manual pages, the AppStream release and the package's changelog name too),
# --help answers, and a word neither the program nor Qt takes is refused with a message and
# status 2 rather than opening the window.
#   command_line_test.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
export QT_QPA_PLATFORM=offscreen
version=$(sed -n 's/.*ProgramVersion = "V\([0-9.]*\)".*/\1/p' "$source/src/engine/program_version.h")
tidewell=$build/src/app/tidewell
almanac=$build/src/cli/tidewell-almanac
failures=0
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# program | arguments | exit status | first line of the output (stdout, else stderr)
while IFS='|' read -r program arguments status line; do
  [ -n "$program" ] || continue
  read -ra words <<<"$arguments"
  timeout 20 "${!program}" "${words[@]}" >"$out" 2>&1
  got=$?
  first=$(head -1 "$out")
  if [ "$got" != "$status" ] || [ "$first" != "$line" ]; then
    echo "FAIL: $program ${arguments}: status $got, \"$first\" (wanted $status, \"$line\")"
    failures=$((failures + 1))
  fi
done <<EOF_CASES
tidewell|--version|0|tidewell (Tidewell) $version
almanac|--version|0|tidewell-almanac (Tidewell) $version
tidewell|-platform offscreen -reverse --version|0|tidewell (Tidewell) $version
tidewell|--help|0|Usage: tidewell [--help | --version | --paths] [Qt options]
tidewell|--bogus|2|tidewell: unknown option '--bogus' (see --help)
tidewell|-style=Fusion today|2|tidewell: unexpected word 'today' (see --help)
tidewell|--platform=offscreen|2|tidewell: unknown option '--platform=offscreen' (see --help)
tidewell|-platform|2|tidewell: '-platform' needs a value
almanac|--bogus now|2|tidewell-almanac: unknown option '--bogus' (see --help)
EOF_CASES

# The version everywhere it is written down.
release=$(grep -o -m1 '<release version="[^"]*"' "$source/packaging/org.tidewell.Tidewell.metainfo.xml" | cut -d'"' -f2)
changelog=$(sed -n '1s/^tidewell (\([^)]*\)).*/\1/p' "$source/packaging/debian/changelog")
pages=$(grep -h '^\.TH' "$build/packaging/tidewell.1" "$build/packaging/tidewell-almanac.1" | grep -c "\"Tidewell $version\"")
if [ "$release" != "$version" ] || [ "$changelog" != "$version" ] || [ "$pages" != 2 ]; then
  echo "FAIL: version $version; AppStream release $release, changelog $changelog, $pages of 2 man pages"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || exit 1
echo "command lines and version $version checked"
