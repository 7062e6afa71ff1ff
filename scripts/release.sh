#!/usr/bin/env bash
# Builds the release into dist/ (or OUTDIR), reproducibly:
#   tessel-X.Y.Z-setup.exe          the per-user installer (32-bit NSIS)
#   tessel-X.Y.Z-portable.zip       tessel-X.Y.Z/ with the program, the
#                                   checker, LIESMICH.txt and LIZENZ.txt
#   tessel-lisp-X.Y.Z-linux-x86_64  the checker, static, for CI machines
#   SHA256SUMS                      for sha256sum -c
# X.Y.Z is the project() version of CMakeLists.txt; a program whose version
# resource says otherwise is refused. Two runs give byte-identical files:
# every time comes from SOURCE_DATE_EPOCH (default: the last commit's).
# Usage: scripts/release.sh [OUTDIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=$(mkdir -p "${1:-dist}" && cd "${1:-dist}" && pwd)

export TZ=UTC LC_ALL=C
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
version=$(sed -n 's/^project(Tessel VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "release: no X.Y.Z version in the project() line of CMakeLists.txt" >&2; exit 1; }
name=tessel-$version
jobs=$(nproc 2>/dev/null || echo 2)
work=$root/build/release
stage=$work/stage/$name
echo "release: Tessel $version, times from SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH"

# The shipped 32-bit program and checker, linked afresh so that the linker
# stamps them with SOURCE_DATE_EPOCH.
cmake -S "$root" -B "$root/build/i686" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
rm -f build/i686/tessel32.exe build/i686/tessel-lisp.exe
cmake --build build/i686 --target tessel32 tessel-lisp -j "$jobs" >/dev/null

# The checker for Linux: its own build, linked statically, without sanitizers.
cmake -S "$root" -B "$work/linux" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_EXE_LINKER_FLAGS=-static >/dev/null
rm -f "$work/linux/tessel-lisp"
cmake --build "$work/linux" --target tessel-lisp -j "$jobs" >/dev/null

rm -rf "$work/stage"
mkdir -p "$stage"
i686-w64-mingw32-strip -o "$stage/TESSEL32.EXE" build/i686/tessel32.exe
i686-w64-mingw32-strip -o "$stage/tessel-lisp.exe" build/i686/tessel-lisp.exe

built=$(python3 installer/peversion.py "$stage/TESSEL32.EXE")
if [ "$built" != "$version" ]; then
  echo "release: refused: TESSEL32.EXE has FileVersion '$built', project() says $version" >&2
  exit 1
fi

# The shipped texts: code page 1252 with CR LF; the licence page of the
# installer wants UTF-8 with a byte order mark.
sed "s/@VERSION@/$version/g" installer/LIESMICH.txt | iconv -f UTF-8 -t CP1252 | sed 's/$/\r/' > "$stage/LIESMICH.txt"
iconv -f UTF-8 -t CP1252 installer/LIZENZ.txt | sed 's/$/\r/' > "$stage/LIZENZ.txt"
page=$work/stage/LIZENZ-page.txt
{ printf '\357\273\277'; sed 's/$/\r/' installer/LIZENZ.txt; } > "$page"

files=(TESSEL32.EXE tessel-lisp.exe LIESMICH.txt LIZENZ.txt)
chmod 0755 "$stage"
for f in "${files[@]}"; do chmod 0644 "$stage/$f"; done
touch -h -d "@$SOURCE_DATE_EPOCH" "$stage"/* "$stage" "$page"

rm -f "$out/$name-setup.exe" "$out/$name-portable.zip" "$out/tessel-lisp-$version-linux-x86_64" "$out/SHA256SUMS"

# The zip: one folder, fixed order, no extra fields (owners, extended times).
(cd "$work/stage" && zip -X -9 -q "$out/$name-portable.zip" "$name/" "${files[@]/#/$name/}")

# The installer (makensis resolves relative paths from the script's folder).
payload=$work/payload
rm -rf "$payload"; mkdir -p "$payload"
cp -p "$stage"/* "$page" "$payload/"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DPAYLOAD="$payload" \
  -DOUTFILE="$out/$name-setup.exe" -DICON="$root/resources/tessel32.ico" \
  "$root/installer/tessel.nsi" >/dev/null

strip -o "$out/tessel-lisp-$version-linux-x86_64" "$work/linux/tessel-lisp"
chmod 0755 "$out/tessel-lisp-$version-linux-x86_64"
chmod 0644 "$out/$name-setup.exe" "$out/$name-portable.zip"
touch -d "@$SOURCE_DATE_EPOCH" "$out/$name-setup.exe" "$out/$name-portable.zip" "$out/tessel-lisp-$version-linux-x86_64"

(cd "$out" && sha256sum "$name-setup.exe" "$name-portable.zip" "tessel-lisp-$version-linux-x86_64" > SHA256SUMS)
touch -d "@$SOURCE_DATE_EPOCH" "$out/SHA256SUMS"
ls -l "$out"
