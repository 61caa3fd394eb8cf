#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program started on a folder of recordings: it plays at once (the
# screen changes), Space through the X server pauses it (the screen stands
# still) and resumes it. Then once more without OpenGL, where the screens
# draw on the CPU and the map's web view through Qt Quick's software
# renderer.
source "$(dirname "$0")/lib.sh"
FIXTURES=$3

"$VIEWER" "$FIXTURES" & viewer=$!
win=$(wait_window "VARNI Viewer" 60) || { fail "no main window"; kill "$viewer"; finish; }
sleep 2
shot() { import -window "$win" -crop 720x405+12+58 "$WORK/$1.png" 2>/dev/null; }
changed() { ! cmp -s "$WORK/$1.png" "$WORK/$2.png"; }

shot a; sleep 0.7; shot b
changed a b && pass "the screen changes while playing" || fail "no playback on screen"
cp "$WORK/b.png" "$WORK/playing.png"
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key --clearmodifiers space
sleep 0.5; shot c; sleep 0.7; shot d
changed c d && fail "the screen still changes after Space" || pass "Space pauses"
xdotool key --clearmodifiers space
sleep 0.3; shot e; sleep 0.7; shot f
changed e f && pass "Space resumes" || fail "no playback after the second Space"
kill "$viewer"; wait "$viewer" 2>/dev/null || true

QT_XCB_GL_INTEGRATION=none "$VIEWER" "$FIXTURES" & viewer=$!
win=$(wait_window "VARNI Viewer" 60) || { fail "no main window without OpenGL"; kill "$viewer"; finish; }
sleep 2
kill -0 "$viewer" 2>/dev/null || { fail "the program ended without OpenGL"; finish; }
shot g; sleep 0.7; shot h
changed g h && pass "plays without OpenGL" || fail "no playback on screen without OpenGL"
kill "$viewer"; wait "$viewer" 2>/dev/null || true
finish
