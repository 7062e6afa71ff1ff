#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix
# (build/wineprefix), creating the prefix on first use.
# Usage: scripts/wine.sh PROGRAM.exe [ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# 64-bit programs run with wine64; 32-bit ones with the wine32 package's
# loader, where the kernel runs 32-bit code or inside scripts/run32.sh.
loader=/usr/lib/wine/wine64
if file -b "$1" 2>/dev/null | grep -q 'PE32 executable'; then
  loader=/usr/lib/wine/wine
  if [ -z "${TESSEL_RUN32:-}" ] && ! "$loader" --version >/dev/null 2>&1; then
    echo "wine.sh: $1 is 32-bit and this kernel cannot run it; run it as scripts/run32.sh scripts/wine.sh ..." >&2
    exit 126
  fi
fi

if [ ! -f "$WINEPREFIX/.tessel-ready" ]; then
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
  # Without a window manager Wine waits about a second whenever a dialog
  # closes; unmanaged windows close at once.
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  # Wait until the set-up has settled (the server binary itself: "wine64
  # wineserver" would look for a Windows program of that name).
  if [ -x /usr/lib/wine/wineserver ]; then /usr/lib/wine/wineserver -w || true
  else wineserver -w 2>/dev/null || true; fi
  touch "$WINEPREFIX/.tessel-ready"
fi
# A prefix made where 32-bit programs could not run has no 32-bit half.
if [ "$loader" = /usr/lib/wine/wine ] && [ ! -e "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
  echo "wine.sh: $WINEPREFIX was made where 32-bit programs could not run; remove it or use another prefix" >&2
  exit 126
fi
exec "$loader" "$@"
