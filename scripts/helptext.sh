#!/bin/sh
# Converts the help text (UTF-8, LF) to what the program ships: code page 1252, CR LF.
set -e
mkdir -p "$(dirname "$2")"
iconv -f UTF-8 -t CP1252 "$1" | sed 's/$/\r/' > "$2.tmp"
mv "$2.tmp" "$2"
