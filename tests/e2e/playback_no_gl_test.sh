#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program started on a folder of recordings without OpenGL: the
# screens draw on the CPU and the map's web view through Qt Quick's
# software renderer. It keeps its window and plays (the screen changes).
source "$(dirname "$0")/lib.sh"
FIXTURES=$3

QT_XCB_GL_INTEGRATION=none "$VIEWER" "$FIXTURES" & viewer=$!
win=$(wait_window "VARNI Viewer" 60) || { fail "no main window without OpenGL"; kill "$viewer"; finish; }
sleep 2
kill -0 "$viewer" 2>/dev/null || { fail "the program ended without OpenGL"; finish; }
front_shot g; sleep 0.7; front_shot h
changed g h && pass "plays without OpenGL" || fail "no playback on screen without OpenGL"
kill "$viewer"; wait "$viewer" 2>/dev/null || true
finish
