#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's table of the web menu's addresses lists the entries of src/ui/menus/web_links.h
# with the same captions and addresses, in the menu's order, and nothing else.
#   readme_links_test.sh SOURCE_DIR
set -euo pipefail
source=$1

# {"imgName", "Caption", "https://..."} entries of the header, wrapped lines joined first.
header=$(tr '\n' ' ' <"$source/src/ui/menus/web_links.h" |
  grep -oE '\{"[^"]*", "[^"]*",[[:space:]]*"https://[^"]*"' |
  sed -E 's/^\{"[^"]*", "([^"]*)",[[:space:]]*"([^"]*)"$/\1 | \2/')
# | Caption | <https://...> | rows of the README's web links section.
readme=$(sed -n '/^## Web links/,/^## /p' "$source/README.md" |
  grep -E '^\| .* \| <https://[^>]*> \|$' |
  sed -E 's/^\| (.*) \| <([^>]*)> \|$/\1 | \2/')

count=$(echo "$header" | grep -c https)
if [ "$count" -ne 15 ]; then
  echo "FAIL: the header holds $count addresses, not fifteen"
  exit 1
fi
if [ "$header" != "$readme" ]; then
  echo "FAIL: README's web links and web_links.h differ"
  diff <(echo "$header") <(echo "$readme") || true
  exit 1
fi
echo "README lists the $count addresses of the web menu"
