#!/usr/bin/env bash
# Builds the 64-bit program and runs the text-operation benchmark under Wine,
# on a virtual display of its own and in a private prefix
# (build/wineprefix-bench), whose wineserver is stopped at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh x86_64

export WINEPREFIX="$root/build/wineprefix-bench"
unset DISPLAY
source scripts/display.sh
start_display   # Xvfb picks a free display number itself
cleanup() {
  WINEPREFIX="$WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
  stop_display
}
trap cleanup EXIT
scripts/wine.sh build/x86_64/bench_startup.exe || true
scripts/wine.sh build/x86_64/tessel_bench.exe "$@"
scripts/wine.sh build/x86_64/tessel_bench_lisp.exe
