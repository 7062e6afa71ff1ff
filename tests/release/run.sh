#!/usr/bin/env bash
# The release: builds it with scripts/release.sh, checks the files without
# Wine, builds it again (byte-identical), then installs, upgrades and
# uninstalls it under Wine, silently, in a prefix of its own.
# Usage: tests/release/run.sh        (needs the i686 and x86_64 builds)
# The installer is 32-bit. Where 32-bit programs cannot run, neither natively
# (scripts/can-run-32bit.sh) nor through scripts/run32.sh, the Wine part runs
# against a 64-bit build of the same installer script holding the 64-bit
# program, and says so.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
export TZ=UTC LC_ALL=C.UTF-8
failed=0
ok() { echo "  ok   $1"; }
bad() { echo "  FAIL $1"; failed=1; }
expect() {  # description, command...: passes when the command succeeds
  local what=$1; shift
  if "$@"; then ok "$what"; else bad "$what"; fi
}
version=$(sed -n 's/^#define TESSEL_VERSION_TEXT "\(.*\)"$/\1/p' build/i686/generated/version.h)
name=tessel-$version
dist=$root/dist
work=$root/build/release-test

wine_part() {  # SETUP OLDSETUP PROGRAM POSTCMD: the installer under Wine
  local setup=$1 oldsetup=$2 program=$3 postcmd=$4
  # The test command's prefix when it has one ready (making one takes
  # minutes), else one of our own; inside scripts/run32.sh always our own.
  if [ -z "${WINEPREFIX:-}" ] || [ ! -f "$WINEPREFIX/.tessel-ready" ] || [ -n "${TESSEL_RUN32:-}" ]; then
    export WINEPREFIX=$work/wineprefix
    rm -rf "$WINEPREFIX"
  fi
  # Wine's menu builder writes the shortcuts' desktop files here, not home.
  export XDG_DATA_HOME=$work/xdg/data XDG_CONFIG_HOME=$work/xdg/config
  rm -rf "$work/xdg"
  local w="scripts/wine.sh"
  $w cmd.exe /c exit >/dev/null 2>&1  # makes the prefix when it is new
  # One server for the whole run: each Wine start is then quick, but
  # "wineserver -w" would wait for ever, so waitfor polls instead.
  /usr/lib/wine/wineserver -p
  waitfor() { local i; for i in $(seq 150); do eval "$1" && return 0; sleep 0.2; done; return 1; }
  winevar() { $w cmd.exe /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
  unixpath() { local p=${1//\\//}; echo "$WINEPREFIX/drive_c${p#[Cc]:}"; }
  local key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessel'
  regval() {  # the value's data, or nothing; reg writes code page 437 to a pipe
    $w reg query "$key" /v "$1" 2>/dev/null | iconv -f CP437 -t UTF-8 | tr -d '\r' |
      sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
  }
  haskey() { $w reg query "$key" >/dev/null 2>&1; }
  local appdir; appdir=$(winevar LOCALAPPDATA)
  local def="$appdir\\Programs\\Tessel" defu; defu=$(unixpath "$def")
  local lnk; lnk="$(unixpath "$(winevar APPDATA)")/Microsoft/Windows/Start Menu/Programs/Tessel.lnk"
  local shipped=(TESSEL32.EXE tessel-lisp.exe LIESMICH.txt LIZENZ.txt)
  local stage=$root/build/release/stage/$name
  installed() {  # UNIXDIR: the shipped files and the uninstaller are there
    local f
    for f in "${shipped[@]}"; do
      if [ "$f" = TESSEL32.EXE ]; then cmp -s "$program" "$1/$f" || return 1
      else cmp -s "$stage/$f" "$1/$f" || return 1; fi
    done
    [ -f "$1/Uninstall.exe" ]
  }
  started=
  start_editor() {  # UNIXDIR: starts its editor and waits for the main window
    $w "$1/TESSEL32.EXE" >/dev/null 2>&1 &
    started=$!
    local i
    for i in $(seq 100); do $w "$postcmd" 0 2>/dev/null && return 0; sleep 0.2; done
    return 1
  }
  stop_editor() {  # closes it through Datei/Beenden and waits for it
    $w "$postcmd" 15 >/dev/null 2>&1
    local i
    for i in $(seq 100); do kill -0 "$started" 2>/dev/null || break; sleep 0.2; done
    kill "$started" 2>/dev/null
    wait "$started" 2>/dev/null
  }
  snapshot() {  # the install folders' files and the uninstall entry
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -name Temp -prune -o -type f -print0 | sort -z | xargs -0 sha256sum)
    $w reg query "$key" 2>/dev/null
  }

  echo "  install into the default folder"
  $w "$setup" /S; local rc=$?
  expect "the silent install exits 0" [ "$rc" = 0 ]
  expect "the program, checker, texts and uninstaller are in $def" installed "$defu"
  expect "a start-menu shortcut" [ -f "$lnk" ]
  expect "DisplayName" [ "$(regval DisplayName)" = Tessel ]
  expect "DisplayVersion" [ "$(regval DisplayVersion)" = "$version" ]
  expect "Publisher" [ "$(regval Publisher)" = Tessel-Team ]
  expect "DisplayIcon" [ "$(regval DisplayIcon)" = "$def\\TESSEL32.EXE,0" ]
  expect "UninstallString" [ "$(regval UninstallString)" = "\"$def\\Uninstall.exe\"" ]
  expect "QuietUninstallString" [ "$(regval QuietUninstallString)" = "\"$def\\Uninstall.exe\" /S" ]
  local size; size=$(regval EstimatedSize)
  expect "EstimatedSize is a DWORD of the installed kilobytes ($size)" \
    test "$((size))" -ge $(( $(stat -c %s "$defu/TESSEL32.EXE") / 1024 ))

  echo "  the installed editor"
  if start_editor "$defu"; then
    ok "it starts"
    local before; before=$(snapshot)
    $w "$setup" /S; rc=$?
    expect "an upgrade while it runs exits non-zero ($rc)" [ "$rc" != 0 ]
    $w "$defu/Uninstall.exe" /S "_?=$def"; rc=$?
    expect "an uninstall while it runs exits non-zero ($rc)" [ "$rc" != 0 ]
    expect "and changes nothing" [ "$before" = "$(snapshot)" ]
    stop_editor
    expect "it writes TESSEL32.INI beside itself on exit" [ -s "$defu/TESSEL32.INI" ]
  else
    bad "it starts"
  fi

  echo "  refused folders"
  local pf; pf=$(winevar ProgramFiles)
  for target in "$pf\\Tessel" "$(winevar windir)\\Tessel" 'Q:\Tessel'; do
    local before; before=$(snapshot)
    # Words, not one argument: Wine would quote it and NSIS ignore a quoted /D=.
    # shellcheck disable=SC2086
    $w "$setup" /S /D=$target; rc=$?
    expect "$target is refused ($rc)" [ "$rc" != 0 ]
    expect "and nothing changes" [ "$before" = "$(snapshot)" ]
  done

  echo "  uninstall"
  printf 'Textbaustein\r\n\x00\xff' > "$defu/TESSEL32.ATX"
  local ini; ini=$(sha256sum < "$defu/TESSEL32.INI")
  local atx; atx=$(sha256sum < "$defu/TESSEL32.ATX")
  kept() { [ "$(sha256sum < "$1/TESSEL32.INI")" = "$ini" ] && [ "$(sha256sum < "$1/TESSEL32.ATX")" = "$atx" ]; }
  $w "$defu/Uninstall.exe" /S
  # The uninstaller runs on as a copy in %TEMP%: wait for its work.
  waitfor '[ ! -e "$defu/TESSEL32.EXE" ] && ! haskey'
  expect "the program files are gone" eval '[ ! -e "$defu/TESSEL32.EXE" ] && [ ! -e "$defu/Uninstall.exe" ] && [ ! -e "$defu/tessel-lisp.exe" ]'
  expect "the settings and text blocks stay" kept "$defu"
  expect "the entry and the shortcut are gone" eval '! haskey && [ ! -e "$lnk" ]'

  echo "  upgrade from an older build, in a folder with a blank and an umlaut"
  local odd='C:\Mein Ordner\Täst' oddu; oddu=$(unixpath "$odd")
  # shellcheck disable=SC2086
  $w "$oldsetup" /S /D=$odd; rc=$?
  expect "the older build installs into $odd ($rc)" eval '[ "$rc" = 0 ] && [ -f "$oddu/TESSEL32.EXE" ]'
  expect "the older build's entry" [ "$(regval DisplayVersion)" = 0.9.0 ]
  cp "$defu/TESSEL32.INI" "$defu/TESSEL32.ATX" "$oddu/"
  $w "$setup" /S; rc=$?
  expect "the upgrade installs into the same folder ($rc)" eval '[ "$rc" = 0 ] && installed "$oddu"'
  expect "and keeps TESSEL32.INI and TESSEL32.ATX byte for byte" kept "$oddu"
  expect "the entry names the new version" [ "$(regval DisplayVersion)" = "$version" ]

  echo "  install into another folder"
  local other='C:\Anderer Ordner' otheru; otheru=$(unixpath "$other")
  # shellcheck disable=SC2086
  $w "$setup" /S /D=$other; rc=$?
  expect "it installs ($rc)" eval '[ "$rc" = 0 ] && installed "$otheru"'
  expect "carrying TESSEL32.INI and TESSEL32.ATX over" kept "$otheru"
  expect "the old install is gone" [ ! -e "$oddu" ]
  expect "one entry, naming the new folder" [ "$(regval InstallLocation)" = "$other" ]

  echo "  uninstall /PURGE"
  $w "$otheru/Uninstall.exe" /S /PURGE
  waitfor '[ ! -e "$otheru" ] && ! haskey'
  expect "removes the folder with the settings" [ ! -e "$otheru" ]
  expect "the entry and the shortcut" eval '! haskey && [ ! -e "$lnk" ]'
  /usr/lib/wine/wineserver -k 2>/dev/null
  return "$failed"
}

if [ "${1:-}" = --wine ]; then shift; wine_part "$@"; exit; fi

echo "  release.sh"
start=$(date +%s)
if ! bash scripts/release.sh "$dist" >/dev/null; then bad "scripts/release.sh builds the release"; exit 1; fi
echo "  built in $(( $(date +%s) - start )) s"
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
files=("$name-setup.exe" "$name-portable.zip" "tessel-lisp-$version-linux-x86_64")
expect "SHA256SUMS names the three files and holds" \
  eval '[ "$(cut -d" " -f3 "$dist/SHA256SUMS" | tr "\n" " ")" = "${files[*]} " ] && (cd "$dist" && sha256sum --quiet -c SHA256SUMS)'
expect "the installer is a 32-bit NSIS program" eval 'file -b "$dist/$name-setup.exe" | grep -q "^PE32 executable.*Intel 80386.*Nullsoft Installer"'
expect "the Linux checker is static and runs" eval 'file -b "$dist/tessel-lisp-$version-linux-x86_64" | grep -q "statically linked" && "$dist/tessel-lisp-$version-linux-x86_64" --help >/dev/null'

# The zip: one folder, the four files, fixed times and modes.
zip=$dist/$name-portable.zip
expect "the zip holds $name/ with the four files, in order" \
  [ "$(unzip -Z1 "$zip" | tr '\n' ' ')" = "$name/ $name/TESSEL32.EXE $name/tessel-lisp.exe $name/LIESMICH.txt $name/LIZENZ.txt " ]
# DOS times have two-second steps; zip rounds up.
stamp=$(date -u -d "@$(( (epoch + 1) / 2 * 2 ))" +%Y%m%d.%H%M%S)
expect "every entry is dated $stamp with a fixed mode" \
  eval '[ "$(zipinfo -T "$zip" | awk "/^[d-]r/ {print \$1, \$7}" | sort -u | tr "\n" " ")" = "-rw-r--r-- $stamp drwxr-xr-x $stamp " ]'
unpacked=$work/unpacked
rm -rf "$work"; mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"
program=$unpacked/$name/TESSEL32.EXE

# The program: 32-bit, stripped, system DLLs only, the release's version.
system='^(kernel32|user32|gdi32|comdlg32|comctl32|shell32|advapi32|version|msvcrt|ole32|winspool\.drv)\.dll$'
for exe in TESSEL32.EXE tessel-lisp.exe; do
  f=$unpacked/$name/$exe
  expect "$exe is 32-bit" eval 'file -b "$f" | grep -q "^PE32 executable.*Intel 80386"'
  expect "$exe is stripped ($(stat -c %s "$f") bytes)" \
    eval '! i686-w64-mingw32-objdump -h "$f" | grep -q "\.debug" && i686-w64-mingw32-objdump -t "$f" | grep -q "no symbols"'
  dlls=$(i686-w64-mingw32-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  expect "$exe needs only system DLLs ($(echo $dlls))" eval '! grep -Evq "$system" <<<"$dlls"'
done
expect "the version resource says $version" [ "$(python3 installer/peversion.py "$program")" = "$version" ]
# The release's guard: a version string that disagrees with the fixed
# FILEVERSION must not pass.
python3 - "$program" "$work/altered.exe" "$version" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
key = "FileVersion\0".encode("utf-16-le")
at = data.index(key)
old = sys.argv[3].encode("utf-16-le")
value = data.index(old, at)
open(sys.argv[2], "wb").write(data[:value] + "9".encode("utf-16-le") + data[value + 2:])
PY
expect "a program whose FileVersion string was altered is refused" eval '! python3 installer/peversion.py "$work/altered.exe" >/dev/null 2>&1'

# The texts: code page 1252 (umlauts as single bytes), CR LF on every line.
for t in LIESMICH.txt LIZENZ.txt; do
  f=$unpacked/$name/$t
  expect "$t is code page 1252 with CR LF" \
    eval '[ "$(grep -c $'"'"'\r$'"'"' "$f")" = "$(wc -l < "$f")" ] && grep -q $'"'"'\xfc'"'"' "$f" && ! iconv -f UTF-8 -t UTF-8 "$f" >/dev/null 2>&1'
done
expect "LIZENZ.txt holds the licence in German and English" \
  eval 'grep -q "^MIT-Lizenz" "$unpacked/$name/LIZENZ.txt" && grep -q "^MIT License" "$unpacked/$name/LIZENZ.txt"'

# The installer holds exactly the zip's files (and makes its uninstaller).
mkdir -p "$work/setup"
7z x -y -o"$work/setup" "$dist/$name-setup.exe" >/dev/null
held=$(cd "$work/setup" && find . -path './$PLUGINSDIR' -prune -o -type f ! -name Uninstall.exe -printf '%P\n' | sort | tr '\n' ' ')
expect "the installer holds exactly the zip's files" \
  eval '[ "$held" = "LIESMICH.txt LIZENZ.txt TESSEL32.EXE tessel-lisp.exe " ] && for f in $held; do cmp -s "$work/setup/$f" "$unpacked/$name/$f" || exit 1; done'

expect "a second build is byte-identical" \
  eval 'bash scripts/release.sh "$work/second" >/dev/null && for f in "${files[@]}" SHA256SUMS; do cmp "$dist/$f" "$work/second/$f" || exit 1; done'

# Under Wine.
oldpayload=$work/oldpayload
mkdir -p "$oldpayload"
if bash scripts/can-run-32bit.sh; then how=native
elif [ -x scripts/run32.sh ] && scripts/run32.sh --check >/dev/null 2>&1; then how=run32
else how=64
fi
if [ "$how" = 64 ]; then
  echo "  Wine: 32-bit programs cannot run here; the installer tests run against a 64-bit build of the same script with the 64-bit program"
  cp -p build/release/payload/* "$oldpayload/"
  x86_64-w64-mingw32-strip -o "$oldpayload/TESSEL32.EXE" build/x86_64/tessel32.exe
  program=$work/TESSEL32-64.EXE
  cp "$oldpayload/TESSEL32.EXE" "$program"
  setup=$work/setup64.exe
  makensis -V1 -INPUTCHARSET UTF8 -DTARGET64 -DVERSION="$version" -DPAYLOAD="$oldpayload" \
    -DOUTFILE="$setup" -DICON="$root/resources/tessel32.ico" "$root/installer/tessel.nsi" >/dev/null
  cp build/x86_64/tessel32.exe "$oldpayload/TESSEL32.EXE"  # the older build: unstripped
  postcmd=$root/build/x86_64/post_command.exe
  target=(-DTARGET64)
else
  echo "  Wine: the 32-bit installer ($how)"
  cp -p build/release/payload/* "$oldpayload/"
  cp build/i686/tessel32.exe "$oldpayload/TESSEL32.EXE"  # the older build: unstripped
  setup=$dist/$name-setup.exe
  postcmd=$root/build/i686/post_command.exe
  target=()
fi
oldsetup=$work/setup-0.9.0.exe
makensis -V1 -INPUTCHARSET UTF8 "${target[@]}" -DVERSION=0.9.0 -DPAYLOAD="$oldpayload" \
  -DOUTFILE="$oldsetup" -DICON="$root/resources/tessel32.ico" "$root/installer/tessel.nsi" >/dev/null
source scripts/display.sh
[ -n "${DISPLAY:-}" ] || { start_display; trap stop_display EXIT; }
if [ "$how" = run32 ]; then
  scripts/run32.sh bash "$0" --wine "$setup" "$oldsetup" "$program" "$postcmd" || failed=1
else
  (wine_part "$setup" "$oldsetup" "$program" "$postcmd") || failed=1
fi
[ "$failed" = 0 ]
