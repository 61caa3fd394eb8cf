#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program on Wayland: under weston's headless back end, with Qt's
# Wayland platform, it starts, opens a generated recording and shows its
# frames. A Wayland client cannot read the screen, so the program's own
# window picture is taken through its test hook (ZV_TEST_WINDOW_GRAB).
source "$(dirname "$0")/lib.sh"
unset DISPLAY   # nothing may fall back to an X server

command -v weston >/dev/null || { fail "weston is not installed"; finish; }
SOCKET=zv-wayland-$$
weston --backend=headless-backend.so --socket="$SOCKET" --width=1280 --height=1024 --idle-time=0 \
  --no-config --log="$WORK/weston.log" & compositor=$!
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/$SOCKET" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$SOCKET" ] && pass "weston runs headless" || { fail "weston did not start"; cat "$WORK/weston.log"; finish; }

recording="$WORK/REC_20240101_120000_F.AVI"
"$PROGRAM_DIR/zv-mkrec" "$recording" --seconds 30 --front 640x360 --rear 320x180 --audio aac \
  --start "2024-01-01 12:00:00" >/dev/null 2>&1 \
  || { fail "zv-mkrec"; kill "$compositor"; finish; }

GRAB="$WORK/grab.png"
# The web engine's GPU thread cannot make EGL pbuffer surfaces on a machine
# without a GPU, so the map page's first GPU context fails once
# ("Failed to send GpuControl.CreateCommandBuffer") and Chromium draws in
# software; the map panel check below shows that the page is drawn.
ZV_TEST_WINDOW_GRAB="$GRAB" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$SOCKET" \
  "$VIEWER" "$recording" >"$WORK/viewer.log" 2>&1 & viewer=$!
for _ in $(seq 300); do [ -s "$GRAB" ] && break; sleep 0.2; done
[ -s "$GRAB" ] && pass "the window stands on Wayland" || { fail "no window picture"; cat "$WORK/viewer.log"; }

crop() { convert "$WORK/$1.png" -crop "$2" +repage "$WORK/$1-$3.png"; }
deviation() { convert "$WORK/$1" -colorspace Gray -format '%[fx:standard_deviation]' info:; }
not_flat() { awk -v d="$(deviation "$1")" 'BEGIN { exit !(d > 0.05) }'; }
# The web engine may take a while to draw the map page on a busy machine.
for _ in $(seq 60); do
  cp "$GRAB" "$WORK/a.png"; crop a 270x190+750+90 map
  not_flat a-map.png && break
  sleep 1
done
cp "$GRAB" "$WORK/a.png"; sleep 1.2; cp "$GRAB" "$WORK/b.png"
kill -0 "$viewer" && pass "still running" || fail "the program ended"

size=$(identify -format '%wx%h' "$WORK/a.png" 2>/dev/null)
[ "$size" = "1034x742" ] && pass "window 1034x742" || fail "window picture is $size"
crop a 720x405+12+58 video; crop b 720x405+12+58 video; crop a 270x190+750+90 map
for picture in a-video.png b-video.png a-map.png; do
  not_flat "$picture" && pass "$picture is not flat ($(deviation "$picture"))" \
    || fail "$picture is flat ($(deviation "$picture"))"
done
# The idle picture is not flat either: only frames that move tell playback.
cmp -s "$WORK/a-video.png" "$WORK/b-video.png" && fail "the video area does not change" \
  || pass "the video area shows moving frames"
cp "$WORK/a.png" "$WORK/wayland-window.png"

kill "$viewer"; wait "$viewer" 2>/dev/null || true
kill "$compositor"; wait "$compositor" 2>/dev/null || true
finish
