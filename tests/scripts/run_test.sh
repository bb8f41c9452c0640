#!/usr/bin/env bash
# scripts/run in a copy of the tree whose setup, build and program are stand-ins:
# what it builds.
#   run_test.sh <source folder> <folder holding the built tsln-sim>
set -euo pipefail
source_dir=$1
sim=$2/tsln-sim
work=$(mktemp -d)
cleanup() { rm -rf "$work"; }
trap cleanup EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

mkdir -p "$work/scripts" "$work/build/bin"
cp "$source_dir/scripts/run" "$work/scripts/run"
printf '#!/bin/sh\n' >"$work/scripts/setup"
printf '#!/bin/sh\necho "$@" >"%s/built"\n' "$work" >"$work/scripts/build"
ln -s "$sim" "$work/build/bin/tsln-sim"
# The program: says where the simulator is, then ends (ending the run).
printf '#!/bin/sh\necho "program started"\n' >"$work/build/bin/tsln"
chmod +x "$work/scripts/"* "$work/build/bin/tsln"

out=$(DISPLAY=:0 "$work/scripts/run" 2>&1) || fail "scripts/run failed: $out"
echo "$out"

# Only what running needs is built.
read -r -a built <"$work/built" || true
[ "${built[*]:-}" = "normal tsln tsln-sim pv706 pv706mkii pv756 pv821" ] ||
  fail "built '${built[*]:-everything}', not only the program, the simulator and the art libraries"

grep -q "program started" <<<"$out" || fail "the program did not start"
[ "$failures" -eq 0 ]
