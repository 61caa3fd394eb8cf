#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# --help and --version of the viewer and the generator, and the short usage
# with status 2 for an unknown option. Run without a display: none of these
# may need one.
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY

# Runs "$@" and checks its status, its standard output and its errors.
# expect STATUS OUT-PATTERN ERR-PATTERN command... (an empty pattern: nothing)
expect() {
  local status=$1 out=$2 err=$3; shift 3
  local got=0
  "$@" >"$WORK/out" 2>"$WORK/err" || got=$?
  local what="$(basename "$1") ${*:2}"
  [ "$got" = "$status" ] && pass "$what: status $status" || fail "$what: status $got, not $status"
  check_stream "$what" stdout "$out" "$WORK/out"
  check_stream "$what" stderr "$err" "$WORK/err"
}
check_stream() {
  local what=$1 name=$2 pattern=$3 file=$4
  if [ -z "$pattern" ]; then
    [ ! -s "$file" ] && pass "$what: nothing on $name" || fail "$what: $name has: $(head -c 300 "$file")"
  else
    grep -qE "$pattern" "$file" && pass "$what: $name matches $pattern" \
      || fail "$what: $name lacks $pattern: $(head -c 300 "$file")"
  fi
}

for program in "$VIEWER" "$PROGRAM_DIR/zv-mkrec"; do
  name=$(basename "$program")
  expect 0 "^usage: $name .*" "" "$program" --help
  expect 0 "^usage: $name .*" "" "$program" -h
  expect 0 "^$name [0-9]+\.[0-9]+\.[0-9]+$" "" "$program" --version
  expect 2 "" "unknown option" "$program" --no-such-option
  grep -q "^usage: $name" "$WORK/err" && pass "$name: usage after the error" || fail "$name: no usage after the error"
done
finish
