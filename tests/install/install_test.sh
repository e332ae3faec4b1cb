#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks, from a working folder holding none of
# the program's files, that the installed programs find their data and help page, and that the
# desktop entry, AppStream metainfo, icons and man pages are what the desktop and man expect.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
id=org.tidewell.Tidewell

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
tmp=$(realpath "$tmp")
prefix=$tmp/prefix
mkdir -p "$tmp/elsewhere" "$tmp/config"
export XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=offscreen

if ! cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
  cat "$tmp/install.log"
  echo "FAIL: cmake --install"
  exit 1
fi
share=$prefix/share
cd "$tmp/elsewhere"

# --- what is installed, and where -------------------------------------------------------
for program in tidewell tidewell-almanac; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed"
done
[ "$(ls "$prefix/bin" | wc -l)" -eq 2 ] || fail "bin/ holds more than the two programs: $(ls "$prefix/bin")"
built=$(cd "$build/Data" && ls *.dat | sort)
installed=$(cd "$share/tidewell/Data" 2>/dev/null && ls *.dat | sort)
[ "$(echo "$built" | wc -l)" -eq 17 ] || fail "the build holds $(echo "$built" | wc -l) feature files, not 17"
[ "$built" = "$installed" ] || fail "installed feature files differ from the built ones: $installed"
for file in tidewell/docs/tidewell.htm tidewell/Tidewell.ico applications/$id.desktop \
  metainfo/$id.metainfo.xml man/man1/tidewell.1 man/man1/tidewell-almanac.1 \
  icons/hicolor/scalable/apps/$id.svg; do
  [ -s "$share/$file" ] || fail "share/$file is not installed"
done

# Every icon is a PNG of the size its hicolor folder names (the PNG header's width and height).
for size in 16 32 48 64 128 256 512; do
  icon=$share/icons/hicolor/${size}x${size}/apps/$id.png
  if [ ! -s "$icon" ]; then
    fail "no ${size}x${size} icon"
    continue
  fi
  read -r w h < <(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3*256+$4, $7*256+$8}')
  magic=$(od -An -c -j1 -N3 "$icon" | tr -d ' ')
  [ "$magic" = "PNG" ] && [ "$w" = "$size" ] && [ "$h" = "$size" ] ||
    fail "the ${size}x${size} icon is $magic ${w}x${h}"
done

# --- the installed programs find their files under the prefix ---------------------------
almanac=$prefix/bin/tidewell-almanac
observer=(--lat 35.2 --lon -111.6 --zone -420)
if "$almanac" "${observer[@]}" features Craters --at "2026-03-25 21:00" >"$tmp/craters.csv" 2>"$tmp/err"; then
  # One row for every crater of the feature table the data files are made from.
  craters=$(grep -c '^Craters,' "$source/data/lunar-features.csv")
  rows=$(($(wc -l <"$tmp/craters.csv") - 1))
  [ "$(head -1 "$tmp/craters.csv" | tr -d '\r')" = "Name,Sunrise,Sunset" ] || fail "almanac header: $(head -1 "$tmp/craters.csv")"
  [ "$rows" -eq "$craters" ] || fail "the almanac listed $rows craters of the table's $craters"
  grep -q '^Copernicus,[0-9]' "$tmp/craters.csv" || fail "Copernicus has no sunrise"
else
  fail "installed almanac: $(cat "$tmp/err")"
fi
# The same listing as the build folder's almanac gives.
if ! "$build/src/cli/tidewell-almanac" "${observer[@]}" features Craters --at "2026-03-25 21:00" |
  cmp -s - "$tmp/craters.csv"; then
  fail "the installed almanac's listing differs from the build folder's"
fi

# A Data folder of the user's own in the working folder (say ~/Data) is not the program's.
mkdir -p Data
if "$prefix/bin/tidewell" --paths >"$tmp/paths" 2>"$tmp/err"; then
  grep -qx "Data: $share/tidewell/Data" "$tmp/paths" || fail "tidewell --paths: $(cat "$tmp/paths")"
  grep -qx "Help page: $share/tidewell/docs/tidewell.htm" "$tmp/paths" || fail "tidewell --paths: $(cat "$tmp/paths")"
  grep -qx "Icon: $share/tidewell/Tidewell.ico" "$tmp/paths" || fail "tidewell --paths: $(cat "$tmp/paths")"
  grep -qx "Settings: $tmp/config/tidewell/settings.db (will be created)" "$tmp/paths" || fail "tidewell --paths: $(cat "$tmp/paths")"
else
  fail "tidewell --paths failed: $(cat "$tmp/paths" "$tmp/err")"
fi
[ ! -e "$tmp/config/tidewell" ] || fail "tidewell --paths created the settings folder"
"$prefix/bin/tidewell" --help | grep -q -- "--paths" || fail "tidewell --help does not name --paths"
# A lone copy of the program, away from any share/tidewell, says what it misses.
if [ ! -e /usr/local/share/tidewell ]; then
  mkdir -p "$tmp/lone/bin"
  cp "$prefix/bin/tidewell" "$tmp/lone/bin/"
  if "$tmp/lone/bin/tidewell" --paths >"$tmp/paths" 2>/dev/null; then
    fail "a lone copy of tidewell claims to have found its files"
  fi
  grep -qx "Data: (not found)" "$tmp/paths" || fail "lone copy: $(cat "$tmp/paths")"
  # Beside a Data folder that lacks feature files, it names them and fails.
  mkdir -p "$tmp/lone/bin/Data"
  cp "$share/tidewell/Data/Craters.dat" "$tmp/lone/bin/Data/"
  if "$tmp/lone/bin/tidewell" --paths >"$tmp/paths" 2>/dev/null; then
    fail "a copy beside an incomplete Data folder claims to have found its files"
  fi
  grep -q "^Data: .*(missing Albedo.dat, Catena.dat, Dorsum.dat" "$tmp/paths" || fail "incomplete Data: $(cat "$tmp/paths")"
fi

# --- the desktop's and man's checks -----------------------------------------------------
if desktop-file-validate "$share/applications/$id.desktop" >"$tmp/out" 2>&1; then
  # Hints are advice (three main categories are asked for); errors and warnings are not.
  ! grep -E "error|warning" "$tmp/out" || fail "desktop-file-validate"
else
  cat "$tmp/out"
  fail "desktop-file-validate"
fi
grep -qx "Icon=$id" "$share/applications/$id.desktop" || fail "the desktop entry names another icon"
grep -qx "Exec=tidewell" "$share/applications/$id.desktop" || fail "the desktop entry starts another program"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >"$tmp/out" 2>&1 ||
  { cat "$tmp/out"; fail "appstreamcli validate"; }
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo launches another desktop entry"

if command -v groff >/dev/null; then
  for page in tidewell tidewell-almanac; do
    groff -man -ww -z -Tutf8 "$share/man/man1/$page.1" >"$tmp/out" 2>&1 || fail "groff $page.1"
    [ ! -s "$tmp/out" ] || { cat "$tmp/out"; fail "groff warns about $page.1"; }
  done
else
  echo "groff is not installed: the man pages are not rendered"
fi

# The man page describes every command and option that --help lists, and no other command.
help_commands=$("$almanac" --help | sed -n '/^Commands:/,/^$/p' | awk '/^  [^ ]/ {print $1}' | sort)
page=$share/man/man1/tidewell-almanac.1
man_commands=$(sed -n '/^\.SH COMMANDS/,/^\.SH/p' "$page" | awk 'prev == ".TP" {print $2} {prev = $1}' | sort -u)
[ -n "$help_commands" ] && [ "$help_commands" = "$man_commands" ] ||
  fail "commands of --help ($(echo $help_commands)) and of the man page ($(echo $man_commands)) differ"
for option in $("$almanac" --help | grep -oE -- '^  --[a-z-]+' | sort -u); do
  escaped=$(echo "${option#--}" | sed 's/-/\\\\-/g')
  grep -q -- "^\.B[IR]* \\\\-\\\\-$escaped\( \|$\)" "$page" || fail "the man page does not describe $option"
done

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "installed into $prefix and checked"
