#!/usr/bin/env bash
# Sets everything up, builds the three builds and runs every test:
# the native unit tests under the sanitizers, and the Windows unit and GUI
# tests under Wine on a virtual display, in a private Wine prefix.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh || exit 1
bash scripts/build.sh native i686 x86_64 || exit 1

passed=0
failed=0
run() {  # name, command...
  local name=$1; shift
  local start=$SECONDS
  echo "=== $name"
  if "$@"; then passed=$((passed + 1)); echo "--- $name: passed ($((SECONDS - start)) s)"
  else failed=$((failed + 1)); echo "--- $name: FAILED ($((SECONDS - start)) s)"; fi
}

run "include rule" bash scripts/check-includes.sh
run "native unit tests" build/native/unit_tests
run "tessel-lisp golden tests" sh tests/cli/run.sh build/native/tessel-lisp
# Every fuzz target briefly over its seed corpus; scripts/fuzz.sh runs them longer.
run "fuzz targets" bash scripts/fuzz.sh 3

# One virtual display and one fresh prefix for this run.
export WINEPREFIX="$root/build/wineprefix"
WINEPREFIX32="$root/build/wineprefix32"
rm -rf "$WINEPREFIX" "$WINEPREFIX32"
source scripts/display.sh
start_display
# A 64 KB drive that the save tests can fill (root only; skipped otherwise).
fulldrive="$root/build/fulldrive"
mkdir -p "$fulldrive"
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=64k tmpfs "$fulldrive" 2>/dev/null; then
  export TESSEL_FULL_DRIVE="$fulldrive"
fi
# A copy of the program in a folder nobody may write to, root included
# (chattr +i), for the settings-location test; skipped where chattr is refused.
rodir="$root/build/readonly-program"
readonly_program() {  # arch
  chattr -R -i "$rodir" 2>/dev/null; rm -rf "$rodir"; mkdir -p "$rodir"
  cp "build/$1/tessel32.exe" "$rodir/TESSEL32.EXE"
  printf '[WINPOSITION]\r\nTOPMOST=-1\r\n' > "$rodir/TESSEL32.INI"
  if chattr -R +i "$rodir" 2>/dev/null; then export TESSEL_READONLY_PROGRAM="$rodir"; else unset TESSEL_READONLY_PROGRAM; fi
}
# A private CUPS printer that writes each job to a file, for the printing
# tests (root only; they skip themselves otherwise).
source scripts/printer.sh
printerdir=$(mktemp -d /tmp/tessel-printer.XXXXXX)
start_printer "$printerdir"
cleanup() {
  stop_printer
  rm -rf "$printerdir"
  local p
  for p in "$WINEPREFIX" "$WINEPREFIX32"; do
    WINEPREFIX="$p" /usr/lib/wine/wineserver -k 2>/dev/null || WINEPREFIX="$p" wineserver -k 2>/dev/null || true
  done
  stop_display
  if [ -n "${TESSEL_FULL_DRIVE:-}" ]; then umount "$fulldrive" 2>/dev/null || true; fi
  chattr -R -i "$rodir" 2>/dev/null || true
}
trap cleanup EXIT

# The shipped 32-bit build runs natively where the kernel can run 32-bit code,
# elsewhere through QEMU in a private namespace (scripts/run32.sh), in a prefix
# of its own made there; when neither can be had, its tests are skipped.
for arch in x86_64 i686; do
  via=()
  if [ "$arch" = i686 ]; then
    if way=$(bash scripts/run32.sh --check 2>&1); then
      echo "=== i686: 32-bit programs run $way"
      via=(env WINEPREFIX="$WINEPREFIX32" bash scripts/run32.sh)
    else
      echo "=== i686: built; its tests are skipped, as 32-bit programs cannot run here:"
      echo "$way" | sed 's/^run32: //; s/^/    /'
      continue
    fi
  fi
  run "$arch unit tests" "${via[@]}" scripts/wine.sh "build/$arch/unit_tests.exe"
  readonly_program "$arch"
  run "$arch GUI tests" "${via[@]}" scripts/wine.sh "build/$arch/gui_tests.exe"
  # The printer refusing jobs: printing must report the failure.
  if [ -n "${TESSEL_PRINT_DIR:-}" ] && cupsreject TESSEL 2>/dev/null; then
    run "$arch refused print job" env TESSEL_PRINT_REJECT=1 "${via[@]}" scripts/wine.sh "build/$arch/gui_tests.exe" -tc="*refuses the job*"
    cupsaccept TESSEL 2>/dev/null
  fi
done

# The release files, and the installer under Wine (in a prefix of its own).
run "release (scripts/release.sh, installer under Wine)" bash tests/release/run.sh

echo "test programs: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
