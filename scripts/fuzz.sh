#!/usr/bin/env bash
# Builds the fuzz targets (clang + libFuzzer) and runs each over its seed
# corpus for a bounded time.
# Usage: scripts/fuzz.sh [SECONDS-PER-TARGET] [TARGET...]   (default: 5 s, all)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-5}; shift || true
bash scripts/build.sh fuzz >/dev/null || exit 1
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in tests/fuzz/fuzz_*.cpp; do n=$(basename "$f" .cpp); targets+=("${n#fuzz_}"); done
fi
failed=0
for t in "${targets[@]}"; do
  work=$(mktemp -d)
  cp -r "tests/fuzz/corpus/$t/." "$work/" 2>/dev/null || true
  log=$(mktemp)
  mkdir -p build/fuzz/crashes
  if "build/fuzz/fuzz_$t" -artifact_prefix=build/fuzz/crashes/ -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$work" >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    echo "fuzz $t: ${runs:-?} runs in ${seconds} s ($(( ${runs:-0} / seconds ))/s), nothing found"
  else
    failed=1
    echo "fuzz $t: FAILED"; tail -n 40 "$log"
  fi
  rm -rf "$work" "$log"
done
exit $failed
