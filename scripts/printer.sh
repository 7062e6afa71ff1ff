# Sourced: a private CUPS server with one printer, "TESSEL", that writes every
# job into a file of its own, so the printing tests can read what was printed.
# Wine reaches it through libcups (CUPS_SERVER). Needs root and cupsd; without
# them nothing starts and the printing tests skip themselves.
start_printer() {
  local base=$1
  [ "$(id -u)" = 0 ] && command -v cupsd >/dev/null && command -v lpadmin >/dev/null || return 0
  rm -rf "$base"
  mkdir -p "$base"/{conf,spool,cache,state,log,run,out,bin/backend} || return 0
  chmod 755 "$base" "$base/bin" "$base/bin/backend"
  chmod 777 "$base/out"   # the backend runs as lp
  local d
  for d in filter daemon cgi-bin notifier monitor driver; do
    [ -e "/usr/lib/cups/$d" ] && ln -sfn "/usr/lib/cups/$d" "$base/bin/$d"
  done
  cat >"$base/bin/backend/tesselfile" <<'SH'
#!/bin/sh
# Each job into OUTDIR/job-<id>.prn, renamed into place once complete.
if [ $# -eq 0 ]; then echo 'file tesselfile "Tessel" "Tessel test printer"'; exit 0; fi
dir=${DEVICE_URI#tesselfile:}
if [ -n "$6" ]; then cat "$6"; else cat; fi >"$dir/job-$1.tmp" && mv "$dir/job-$1.tmp" "$dir/job-$1.prn"
SH
  chmod 755 "$base/bin/backend/tesselfile"
  cat >"$base/conf/cupsd.conf" <<EOF2
Listen $base/run/cups.sock
LogLevel warn
Browsing Off
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
EOF2
  cat >"$base/conf/cups-files.conf" <<EOF2
FileDevice Yes
RequestRoot $base/spool
CacheDir $base/cache
StateDir $base/state
ServerBin $base/bin
DataDir /usr/share/cups
ErrorLog $base/log/error_log
AccessLog $base/log/access_log
PageLog $base/log/page_log
User lp
Group lp
EOF2
  cupsd -f -c "$base/conf/cupsd.conf" -s "$base/conf/cups-files.conf" &
  PRINTER_PID=$!
  local i
  for i in $(seq 50); do [ -S "$base/run/cups.sock" ] && break; sleep 0.1; done
  export CUPS_SERVER="$base/run/cups.sock"
  if lpadmin -p TESSEL -E -v "tesselfile:$base/out" -m raw 2>/dev/null && lpadmin -d TESSEL; then
    export TESSEL_PRINT_DIR="$base/out"
  else
    stop_printer
  fi
}
stop_printer() {
  if [ -n "${PRINTER_PID:-}" ]; then kill "$PRINTER_PID" 2>/dev/null || true; wait "$PRINTER_PID" 2>/dev/null || true; fi
  PRINTER_PID=
  unset CUPS_SERVER TESSEL_PRINT_DIR
}
