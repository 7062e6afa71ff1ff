#!/usr/bin/env bash
# Runs a command where 32-bit (i386) Linux programs, and so Wine's 32-bit
# loader, can run. Where the kernel runs 32-bit code itself, the command runs
# as it is. Elsewhere it runs in a private user and mount namespace with a
# binfmt_misc of its own (Linux 6.7 or later) that hands every i386 program to
# QEMU's user-mode emulator; nothing outside that namespace changes.
#
# Usage: scripts/run32.sh COMMAND [ARGS...]
#        scripts/run32.sh --check   prints which way 32-bit programs run here
#                                   (exit 0), or why they cannot (exit 1)
#
# Inside, TESSEL_RUN32 is "native" or "qemu", and scripts/wine.sh runs PE32
# programs. Use a Wine prefix made inside (scripts/wine.sh makes one on first
# use): one made outside lacks its 32-bit half. When the route cannot be set
# up, the command does not run and the exit status is 125 with the reason on
# stderr; otherwise it is the command's own.
#
# QEMU 10 or later is needed (older ones start every Wine process in about a
# minute). Taken from $TESSEL_QEMU_I386, build/qemu/qemu-i386, or a system
# qemu-i386; failing those, the static qemu-i386 is unpacked into build/qemu/
# from Debian's qemu-user package, fetched with a private apt state that
# installs nothing and leaves the system's apt sources alone.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
self="$root/scripts/run32.sh"
route_failed=125
wine32=/usr/lib/wine/wine

fail() { echo "run32: $*" >&2; exit "$route_failed"; }

# Stage 2, inside the new namespaces once the parent has written the id maps:
# this exec gave the shell full capabilities there. Mount the private
# binfmt_misc, register i386 programs, note that the command started, run it.
if [ "${1:-}" = --inside ]; then
  started=$2 interp=$3; shift 3
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null ||
    fail "binfmt_misc cannot be mounted in a user namespace (needs Linux 6.7 or later; this is $(uname -r))"
  # The ELF header of an i386 executable or shared object; O: the emulator
  # gets the open file, P: argv[0] is kept (the kernel tells QEMU so in
  # AT_FLAGS), F: the emulator is opened now.
  magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\xfc\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf ':tessel-i386:M::%s:%s:%s:OPF' "$magic" "$mask" "$interp" >/proc/sys/fs/binfmt_misc/register 2>/dev/null ||
    fail "the i386 handler cannot be registered in the private binfmt_misc"
  export TESSEL_RUN32=qemu
  : >"$started"
  exec "$@"
fi
# Stage 1, the fresh namespaces: wait for the id maps, then exec stage 2.
if [ "${1:-}" = --wait-maps ]; then
  read -r _ <"$2" || exit "$route_failed"
  shift 2
  exec "$BASH" "$self" --inside "$@"
fi

check=0
if [ "${1:-}" = --check ]; then check=1; shift
elif [ $# -eq 0 ]; then echo "usage: scripts/run32.sh --check | COMMAND [ARGS...]" >&2; exit 2
fi
# Already inside: nothing to set up.
if [ -n "${TESSEL_RUN32:-}" ]; then
  if [ $check = 1 ]; then echo "already inside the 32-bit route ($TESSEL_RUN32)"; exit 0; fi
  exec "$@"
fi

[ -x "$wine32" ] || { echo "run32: Wine's 32-bit loader ($wine32, package wine32:i386) is not installed" >&2
                      [ $check = 1 ] && exit 1; exit "$route_failed"; }

if "$wine32" --version >/dev/null 2>&1; then
  if [ $check = 1 ]; then echo "natively (this kernel runs 32-bit programs)"; exit 0; fi
  export TESSEL_RUN32=native
  exec "$@"
fi

# --- The QEMU route ---------------------------------------------------------

why() {  # the reason the route is not there; exit 1 for --check, 125 otherwise
  echo "run32: $*" >&2
  [ $check = 1 ] && exit 1
  exit "$route_failed"
}

qemu_major() { "$1" --version 2>/dev/null | sed -n '1s/.*version \([0-9]*\)\..*/\1/p'; }
usable() { [ -x "$1" ] && [ "$(qemu_major "$1")" -ge 10 ] 2>/dev/null; }

qdir="$root/build/qemu"
fetch_qemu() {  # unpacks qemu-i386 from Debian's qemu-user into $qdir
  : >"$qdir/fetch.log"
  local apt="$qdir/apt" suite keyring=/usr/share/keyrings/debian-archive-keyring.gpg signed=
  [ -f "$keyring" ] && signed="[signed-by=$keyring] "
  local -a opts=(-o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/none"
    -o Dir::Etc::Preferences=/dev/null -o Dir::Etc::PreferencesParts="$apt/none"
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache"
    -o APT::Architecture=amd64 -o APT::Architectures::=amd64 -o APT::Sandbox::User="$(id -un)"
    -o Acquire::http::Timeout=30 -o Acquire::Retries=2)
  # Debian 12's own qemu is too old; the backport is 10.x. The next release's
  # static binary serves as well, should the backports ever be gone.
  for suite in bookworm-backports trixie; do
    rm -rf "$apt"
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/none" || return 1
    echo "deb ${signed}http://deb.debian.org/debian $suite main" >"$apt/sources.list"
    if apt-get "${opts[@]}" -q update >>"$qdir/fetch.log" 2>&1 &&
       (cd "$apt" && apt-get "${opts[@]}" -q download "qemu-user/$suite") >>"$qdir/fetch.log" 2>&1 &&
       dpkg-deb --fsys-tarfile "$apt"/qemu-user_*.deb | tar -xO ./usr/bin/qemu-i386 >"$qdir/qemu-i386.part" &&
       chmod 755 "$qdir/qemu-i386.part" && usable "$qdir/qemu-i386.part"; then
      mv "$qdir/qemu-i386.part" "$qdir/qemu-i386"
      rm -rf "$apt"
      return 0
    fi
  done
  rm -rf "$apt" "$qdir/qemu-i386.part"
  return 1
}

[ "$(uname -m)" = x86_64 ] || why "not an x86-64 machine ($(uname -m))"
command -v unshare >/dev/null || why "unshare (util-linux) is missing"
[ -d /proc/sys/fs/binfmt_misc ] || why "this kernel has no binfmt_misc"
kmaj=$(uname -r | cut -d. -f1) kmin=$(uname -r | cut -d. -f2 | sed 's/[^0-9].*//')
[ "$kmaj" -gt 6 ] 2>/dev/null || { [ "$kmaj" -eq 6 ] && [ "$kmin" -ge 7 ]; } 2>/dev/null ||
  why "Linux $(uname -r) is older than 6.7: binfmt_misc cannot be private to a namespace"

qemu=
for q in "${TESSEL_QEMU_I386:-}" "$qdir/qemu-i386" "$(command -v qemu-i386-static)" "$(command -v qemu-i386)"; do
  if [ -n "$q" ] && usable "$q"; then qemu=$q; break; fi
done
if [ -z "$qemu" ]; then
  mkdir -p "$qdir" 2>/dev/null || why "cannot create $qdir"
  # One fetch at a time, should two runs start together.
  exec 9>"$qdir/.lock"
  flock 9 2>/dev/null || true
  if usable "$qdir/qemu-i386" || fetch_qemu; then qemu="$qdir/qemu-i386"
  else why "no QEMU 10 or later for i386 could be had (no network? see $qdir/fetch.log)"; fi
  exec 9>&-
fi
interp=$(readlink -f "$qemu")

# The namespaces. Root maps every id, so files of other users (the printer's
# jobs belong to lp) stay readable; anyone else maps only itself, as root.
sync=$(mktemp -d /tmp/tessel-run32.XXXXXX) || why "no temporary directory"
trap 'rm -rf "$sync"' EXIT
mkfifo "$sync/maps" || why "cannot make a FIFO in $sync"
# The check runs Wine's 32-bit loader itself, and never waits for ever.
[ $check = 1 ] && set -- timeout 120 "$wine32" --version
[ $check = 1 ] && exec 7>&1 1>/dev/null
unshare --user --mount --propagation private -- "$BASH" "$self" --wait-maps "$sync/maps" \
  "$sync/started" "$interp" "$@" <&0 &
child=$!
stopped=0
trap 'stopped=1; kill -TERM "$child" 2>/dev/null' TERM INT HUP
[ $check = 1 ] && exec 1>&7 7>&-
mine=$(readlink /proc/self/ns/user)
ns=
for _ in $(seq 100); do
  ns=$(readlink "/proc/$child/ns/user" 2>/dev/null) || break
  [ "$ns" != "$mine" ] && break
  sleep 0.05
done
mapped=0
if [ -n "$ns" ] && [ "$ns" != "$mine" ]; then
  if [ "$(id -u)" = 0 ]; then
    echo '0 0 4294967295' >"/proc/$child/uid_map" 2>/dev/null &&
      echo '0 0 4294967295' >"/proc/$child/gid_map" 2>/dev/null && mapped=1
  else
    echo "0 $(id -u) 1" >"/proc/$child/uid_map" 2>/dev/null &&
      echo deny >"/proc/$child/setgroups" 2>/dev/null &&
      echo "0 $(id -g) 1" >"/proc/$child/gid_map" 2>/dev/null && mapped=1
  fi
fi
if [ $mapped = 1 ]; then
  # Read and write, so that this never blocks; kept open until the end.
  exec 8<>"$sync/maps"
  echo go >&8
else
  kill "$child" 2>/dev/null
fi
wait "$child"
rc=$?
while kill -0 "$child" 2>/dev/null; do wait "$child"; rc=$?; done
exec 8>&-
[ $stopped = 1 ] && exit "$rc"
if [ ! -e "$sync/started" ]; then
  [ $mapped = 1 ] || why "a private user namespace cannot be made here (unshare refused)"
  # Stage 2 has said why on stderr.
  [ $check = 1 ] && exit 1
  exit "$route_failed"
fi
if [ $check = 1 ]; then
  [ "$rc" = 0 ] || why "Wine's 32-bit loader does not start under $qemu (exit $rc)"
  echo "through QEMU user-mode emulation ($("$qemu" --version | sed -n '1s/ (.*//p')) in a private namespace"
fi
exit "$rc"
