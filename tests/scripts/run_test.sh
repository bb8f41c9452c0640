#!/usr/bin/env bash
# scripts/run in a copy of the tree whose setup, build and program are stand-ins:
# what it builds, and what it does when the simulator's port is taken.
#   run_test.sh <source folder> <folder holding the built tsln-sim>
set -euo pipefail
source_dir=$1
sim=$2/tsln-sim
work=$(mktemp -d)
listener=
cleanup() {
  [ -n "$listener" ] && kill "$listener" 2>/dev/null || true
  rm -rf "$work"
}
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

# Another simulator already listens on the usual port (unless something else
# has it already, which does as well).
if ! (exec 3<>/dev/tcp/127.0.0.1/6005) 2>/dev/null; then
  "$sim" --port 6005 --link "$work/other-tty" </dev/null >/dev/null 2>&1 &
  listener=$!
  for _ in $(seq 100); do
    (exec 3<>/dev/tcp/127.0.0.1/6005) 2>/dev/null && break
    sleep 0.1
  done
fi

out=$(DISPLAY=:0 "$work/scripts/run" 2>&1) || fail "scripts/run failed: $out"
echo "$out"

# Only what running needs is built.
read -r -a built <"$work/built" || true
[ "${built[*]:-}" = "normal tsln tsln-sim pv706 pv706mkii pv756 pv821" ] ||
  fail "built '${built[*]:-everything}', not only the program, the simulator and the art libraries"

grep -q "TCP port 6005 is taken by " <<<"$out" || fail "the taken port is not named"
grep -Eq "this simulator takes port [0-9]+ and /tmp/tsln-sim-tty-[0-9]+ instead" <<<"$out" ||
  fail "no other port chosen"
grep -q "program started" <<<"$out" || fail "the program did not start"
if [ -n "$listener" ]; then
  kill -0 "$listener" 2>/dev/null || fail "the simulator on port 6005 was stopped"
  [ -L "$work/other-tty" ] || fail "the other simulator's link was removed"
fi
[ "$failures" -eq 0 ]
