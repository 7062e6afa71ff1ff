#!/usr/bin/env bash
# Exit 0 when 32-bit Windows programs can run here (kernel and wine32).
[ -x /usr/lib/wine/wine ] || exit 1
/usr/lib/wine/wine --version >/dev/null 2>&1
