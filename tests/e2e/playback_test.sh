#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program started on a folder of recordings: it plays at once (the
# screen changes), Space through the X server pauses it (the screen stands
# still) and resumes it.
source "$(dirname "$0")/lib.sh"
FIXTURES=$3

"$VIEWER" "$FIXTURES" & viewer=$!
win=$(wait_window "VARNI Viewer" 60) || { fail "no main window"; kill "$viewer"; finish; }
sleep 2

front_shot a; sleep 0.7; front_shot b
changed a b && pass "the screen changes while playing" || fail "no playback on screen"
cp "$WORK/b.png" "$WORK/playing.png"
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key --clearmodifiers space
sleep 0.5; front_shot c; sleep 0.7; front_shot d
changed c d && fail "the screen still changes after Space" || pass "Space pauses"
xdotool key --clearmodifiers space
sleep 0.3; front_shot e; sleep 0.7; front_shot f
changed e f && pass "Space resumes" || fail "no playback after the second Space"
kill "$viewer"; wait "$viewer" 2>/dev/null || true
finish
