#!/bin/sh
# Golden tests of tessel-lisp: runs each tests/cli/cases/NAME.args in
# a fresh copy of tests/cli/data and compares standard output, standard error
# and the exit status (and the output of NAME.after, when there is one) with
# NAME.expected.
# Usage: run.sh PATH-TO-tessel-lisp
# With TESSEL_BLESS=1 the outputs are written as the new expectations
# (review them with git diff).
bin=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "$0")" && pwd)
failed=0
count=0
for args in "$here"/cases/*.args; do
  name=$(basename "$args" .args)
  OUT=$(mktemp -d)
  cp -R "$here/data" "$OUT/data"
  mkdir "$OUT/data/adir"  # a directory where a file is expected
  actual=$(cd "$OUT/data" && eval "\"$bin\" $(cat "$args")" 2>"$OUT/stderr"; echo "--- exit $?")
  actual=$(printf '%s\n--- stderr\n%s' "$actual" "$(cat "$OUT/stderr")")
  if [ -f "$here/cases/$name.after" ]; then
    actual=$(printf '%s\n--- after\n%s' "$actual" "$(cd "$OUT/data" && eval "$(cat "$here/cases/$name.after")")")
  fi
  count=$((count + 1))
  if [ -n "${TESSEL_BLESS:-}" ]; then printf '%s\n' "$actual" > "$here/cases/$name.expected"; fi
  if [ "$actual" != "$(cat "$here/cases/$name.expected")" ]; then
    failed=$((failed + 1))
    echo "tessel-lisp golden test $name FAILED; got:"
    printf '%s\n' "$actual"
    echo "expected:"
    cat "$here/cases/$name.expected"
  fi
  rm -rf "$OUT"
done
echo "tessel-lisp golden tests: $((count - failed)) of $count passed"
[ "$failed" -eq 0 ]
