#!/bin/sh
# Converts the help text (UTF-8, LF) to what the program ships: code page 1252,
# CR LF, with the version filled into its title.
# Usage: helptext.sh IN OUT VERSION
set -e
mkdir -p "$(dirname "$2")"
sed "s/@TESSEL_VERSION@/$3/g" "$1" | iconv -f UTF-8 -t CP1252 | sed 's/$/\r/' > "$2.tmp"
mv "$2.tmp" "$2"
