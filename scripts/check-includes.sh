#!/usr/bin/env bash
# The include rule: the shell (main window, entry point, dispatcher with its
# list of command tables) is the top and nothing else includes it; services
# include no subsystem; a subsystem includes no other subsystem's Win32 layer.
# Prints each break and fails when there is one.
set -uo pipefail
cd "$(dirname "$0")/.."

top='app/(mainwindow|commands|winmain)_win'
# Services: used by everyone, include no subsystem.
services='app/(shell_win|command_win|msgbox_win|settings_win|paths|limits|deferred_win|docstate_win|savefile_win)|ui/(dialogutil_win|inputdialog_win|centring)|textops/charmap|resources/ids'
status=0
complain() { echo "include rule: $1"; status=1; }

for f in $(git ls-files 'app/*' 'document/*' 'textops/*' 'lisp/*' 'ui/*' | grep -E '\.(h|cpp|inc)$'); do
  base=${f%.*}
  folder=${f%%/*}
  while read -r inc; do
    [ -n "$inc" ] || continue
    ibase=${inc%.*}
    ifolder=${inc%%/*}
    # Nothing below the top includes the top.
    if [[ $ibase =~ ^($top)$ ]] && ! [[ $base =~ ^($top)$ ]]; then
      complain "$f includes $inc, which only the shell may include"
    fi
    # Services include services and pure headers only.
    if [[ $base =~ ^($services)$ ]] && ! [[ $ibase =~ ^($services)$ ]] && [ "$ibase" != "$base" ]; then
      complain "$f is a service and includes the subsystem header $inc"
    fi
    # A subsystem includes no other subsystem's Win32 layer.
    if ! [[ $base =~ ^($top)$ ]] && [[ $ibase == *_win ]] && ! [[ $ibase =~ ^($services)$ ]] \
       && [ "$ifolder" != "$folder" ]; then
      complain "$f includes $inc, the Win32 layer of another subsystem"
    fi
  done < <(grep -oE '^#include "[^"]+"' "$f" | sed -E 's/#include "(.*)"/\1/' | grep -E '^(app|document|textops|lisp|ui|resources)/')
done
[ $status -eq 0 ] && echo "include rule: holds"
exit $status
