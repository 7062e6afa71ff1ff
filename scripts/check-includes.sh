#!/usr/bin/env bash
# The include rule, by folder:
#   app/       the shell (main window, entry point, dispatcher): nothing includes it;
#   core/      the services: include nothing outside core/ and resources/;
#   document/, textops/, lisp/, ui/  the subsystems: include core/, resources/,
#              their own folder and other subsystems' pure headers, never
#              another subsystem's Win32 layer.
# Prints each break and fails when there is one.
set -uo pipefail
cd "$(dirname "$0")/.."

subsystems='document|textops|lisp|ui'
status=0
complain() { echo "include rule: $1"; status=1; }

for f in $(git ls-files 'app/*' 'core/*' 'document/*' 'textops/*' 'lisp/*' 'ui/*' | grep -E '\.(h|cpp|inc)$'); do
  folder=${f%%/*}
  while read -r inc; do
    [ -n "$inc" ] || continue
    ibase=${inc%.*}
    ifolder=${inc%%/*}
    if [ "$ifolder" = app ] && [ "$folder" != app ]; then
      complain "$f includes $inc, which only the shell may include"
    fi
    if [ "$folder" = core ] && [ "$ifolder" != core ] && [ "$ifolder" != resources ]; then
      complain "$f is a service and includes $inc from outside core/"
    fi
    if [[ $folder =~ ^($subsystems)$ ]] && [[ $ifolder =~ ^($subsystems)$ ]] \
       && [ "$ifolder" != "$folder" ] && [[ $ibase == *_win ]]; then
      complain "$f includes $inc, the Win32 layer of another subsystem"
    fi
  done < <(grep -oE '^#include "[^"]+"' "$f" | sed -E 's/#include "(.*)"/\1/' | grep -E '^(app|core|document|textops|lisp|ui|resources)/')
done
[ $status -eq 0 ] && echo "include rule: holds"
exit $status
