#!/usr/bin/env bash
# Sets everything up, builds the editor and starts it under Wine.
# With a display the editor runs until you close it; without one, a virtual
# display is started, a screenshot of the running editor is saved as
# build/screenshot.png, and the editor is closed again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
bash scripts/build.sh i686 x86_64

exe=build/i686/tessel32.exe
if ! bash scripts/can-run-32bit.sh; then
  echo "This kernel cannot run 32-bit programs; starting the 64-bit build of the editor."
  exe=build/x86_64/tessel32.exe
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec scripts/wine.sh "$exe" "$@"
fi

source scripts/display.sh
start_display
export WINEPREFIX="$root/build/wineprefix-run"
trap 'WINEPREFIX="$WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true; stop_display' EXIT
scripts/wine.sh "$exe" "$@" &
# Wait for the main window, then give it a moment to paint.
for _ in $(seq 120); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Tessel :' && break
  sleep 0.5
done
sleep 2
import -window root build/screenshot.png
echo "The editor is running on the virtual display $DISPLAY; screenshot saved to $root/build/screenshot.png"
