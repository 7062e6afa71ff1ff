#!/usr/bin/env bash
# Configures and builds the three builds into build/<name>.
# Usage: scripts/build.sh [native] [i686] [x86_64] [fuzz]   (default: the first three)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=(native i686 x86_64)
jobs=$(nproc 2>/dev/null || echo 2)
for b in "${builds[@]}"; do
  args=(-S "$root" -B "$root/build/$b" -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  case "$b" in
    native) ;;
    fuzz) args+=(-DTESSEL_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
    i686|x86_64) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$b.cmake") ;;
    *) echo "unknown build: $b" >&2; exit 2 ;;
  esac
  cmake "${args[@]}" >/dev/null
  cmake --build "$root/build/$b" -j "$jobs"
done
