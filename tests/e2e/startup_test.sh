#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up: the window stands, a second instance ends at once, Enter and
# Escape keep the window open, Alt+F4 ends the program, the registry store
# holds the decoder settings, and a killed instance leaves no lock behind.
source "$(dirname "$0")/lib.sh"

"$VIEWER" & first=$!
if win=$(wait_window "VARNI Viewer" 60); then pass "main window shown"; else fail "no main window"; fi
screenshot startup
geometry=$(xdotool getwindowgeometry "$win" 2>/dev/null | grep Geometry | awk '{print $2}')
[ "$geometry" = "1034x742" ] && pass "size 1034x742" || fail "size is $geometry"

start=$(date +%s%N)
"$VIEWER" & second=$!
wait_exit "$second" 10 || fail "second instance still running"
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$EXIT_STATUS" = "0" ] && pass "second instance ended with 0 after ${elapsed_ms} ms" || fail "second instance status $EXIT_STATUS"
[ "$(xdotool search --onlyvisible --name '^VARNI Viewer$' | wc -l)" = 1 ] && pass "one window" || fail "more than one window"
kill -0 "$first" && pass "first instance unaffected" || fail "first instance died"

reg="$HOME/.config/ZorvaneViewer/registry/current-user.reg"
for v in '"multipleInstances"=dword:00000000' '"isWhitelist"=dword:00000000' '"h264"=dword:00000001'; do
  grep -qF "$v" "$reg" && pass "registry holds $v" || fail "registry lacks $v"
done
grep -qF '[Software/GNU/ffdshow]' "$reg" && pass "key Software/GNU/ffdshow" || fail "key missing"
if [ "$(id -u)" = 0 ]; then
  grep -qF '"usingDShow"=dword:00000001' /var/lib/zorvane-viewer/registry/local-machine.reg \
    && pass "local-machine usingDShow" || fail "local-machine usingDShow missing"
fi

xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key --clearmodifiers Escape Return KP_Enter
sleep 1
kill -0 "$first" && pass "Enter and Escape keep it open" || fail "closed by Enter or Escape"
xdotool key alt+F4
wait_exit "$first" 10 || fail "Alt+F4 did not close"
[ "$EXIT_STATUS" = "0" ] && pass "Alt+F4 ended the program with 0" || fail "exit status $EXIT_STATUS"

# A killed instance leaves no stale lock.
"$VIEWER" & third=$!
wait_window "VARNI Viewer" 60 >/dev/null || fail "third start shows no window"
kill -9 "$third"; wait "$third" 2>/dev/null || true
"$VIEWER" & fourth=$!
if wait_window "VARNI Viewer" 60 >/dev/null; then pass "starts again after a kill"; else fail "lock left behind"; fi
kill "$fourth"; wait "$fourth" 2>/dev/null || true

# Without the parse filter module beside it, the window still opens.
bare="$WORK/bare"; mkdir -p "$bare"; cp "$VIEWER" "$bare/"
"$bare/zorvane-viewer" & fifth=$!
if wait_window "VARNI Viewer" 60 >/dev/null; then pass "opens without the module"; else fail "no window without the module"; fi
kill "$fifth"; wait "$fifth" 2>/dev/null || true
finish
