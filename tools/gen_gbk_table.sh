#!/usr/bin/env bash
# Regenerates text/gbk_table.inc from ICU. Only needed when the table changes;
# the build uses the committed file. Needs libicu-dev (apt-get install libicu-dev).
set -euo pipefail
cd "$(dirname "$0")/.."

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# shellcheck disable=SC2046
c++ -std=c++20 -O2 -Wall -Wextra -Werror tools/gen_gbk_table.cpp -o "$tmp/gen" \
    $(pkg-config --cflags --libs icu-uc)
"$tmp/gen" >"$tmp/gbk_table.inc"
mv "$tmp/gbk_table.inc" text/gbk_table.inc
echo "gen_gbk_table: wrote text/gbk_table.inc"
