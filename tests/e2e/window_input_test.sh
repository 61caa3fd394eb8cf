#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The main window under real X events: a right click on the G-sensor graph
# shows exactly one menu, presses on the video screen neither move the window
# nor open the menu, and the window's own free surface moves and resizes it.
source "$(dirname "$0")/lib.sh"
FIXTURES=$3

"$VIEWER" "$FIXTURES" & viewer=$!
win=$(wait_window "VARNI Viewer" 60) || { fail "no main window"; kill "$viewer"; finish; }
sleep 2

# Visible windows of the program: the main window, plus any open menu.
windows() { xdotool search --onlyvisible --pid "$viewer" 2>/dev/null | wc -l; }
geometry() { xdotool getwindowgeometry "$win" | awk '/Position|Geometry/ {print $2}' | tr '\n' ' '; }
at() { xdotool mousemove --window "$win" "$1" "$2"; }
# Presses button $1 at window point ($2, $3), moves by ($4, $5) in steps and releases.
drag() {
  at "$2" "$3"; sleep 0.2
  xdotool mousedown "$1"
  for i in 1 2 3 4; do xdotool mousemove_relative -- $(($4 / 4)) $(($5 / 4)); sleep 0.05; done
  sleep 0.2; xdotool mouseup "$1"; sleep 0.5
}
# Waits up to $2 tenths of a second for command $1 to succeed.
within() { for _ in $(seq "$2"); do eval "$1" && return 0; sleep 0.1; done; return 1; }
# A right click at window point ($1, $2): how many menus it opened, and how
# many are left after Escape closed one.
menus_of_right_click() {
  local base; base=$(windows)
  at "$1" "$2"; sleep 0.2; xdotool click 3
  within '[ "$(windows)" -gt "$base" ]' 30
  sleep 0.5
  local shown=$(( $(windows) - base ))
  xdotool key Escape; sleep 1.5
  local left=$(( $(windows) - base ))
  xdotool key Escape; sleep 0.3   # closes a second menu, if any
  echo "$shown $left"
}

xdotool windowfocus --sync "$win" 2>/dev/null || true
# The free surface left of the list opens the menu: the count works.
[ "$(menus_of_right_click 500 20)" = "1 0" ] && pass "right click on the free surface: one menu" \
  || fail "right click on the free surface does not show one menu"
# The graph sits at (7, H - 209), 730 x 97 at the minimum size.
result=$(menus_of_right_click 300 580)
[ "$result" = "1 0" ] && pass "right click on the graph: exactly one menu" \
  || fail "right click on the graph: menus shown, left after Escape: $result"
result=$(menus_of_right_click 360 260)
[ "$result" = "0 0" ] && pass "right click on the video screen: no menu" \
  || fail "right click on the video screen: $result"

before=$(geometry)
drag 1 360 260 120 80
[ "$(geometry)" = "$before" ] && pass "a drag on the video screen leaves the window in place" \
  || fail "a drag on the video screen moved the window: $before -> $(geometry)"
drag 1 300 580 120 80
[ "$(geometry)" = "$before" ] && pass "a drag on the graph leaves the window in place" \
  || fail "a drag on the graph moved the window: $before -> $(geometry)"
screenshot after-drags

read -r position size <<<"$before"
x=${position%,*} y=${position#*,}
drag 1 500 20 120 80
within '[ "$(geometry)" = "$((x + 120)),$((y + 80)) $size " ]' 30 \
  && pass "a drag on the title strip moves the window" || fail "title strip drag: $before -> $(geometry)"
# The left border band, below the title strip and left of the video area:
# the left edge follows the pointer, pressed 3 pixels inside it.
drag 1 3 300 -60 0
within '[ "$(geometry)" = "$((x + 120 - 57)),$((y + 80)) 1091x742 " ]' 30 \
  && pass "the left border resizes the window" || fail "left border drag: $(geometry)"
screenshot after-resize

kill "$viewer"; wait "$viewer" 2>/dev/null || true
finish
