#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Run by installed_program_test.sh as the ordinary user, under Xvfb:
# $1 the installed program's folder, $2 a work folder, $3 a folder of
# recordings.
source "$(dirname "$0")/lib.sh"
CARD=$3
config="$HOME/.config/ZorvaneViewer"

"$VIEWER" "$CARD" & viewer=$!
win=$(wait_window "VARNI Viewer" 90) || { fail "no main window"; kill "$viewer"; finish; }
sleep 3
shot() { import -window "$win" -crop "$1" "$WORK/$2.png" 2>/dev/null; }
shot 720x405+12+58 a; sleep 0.7; shot 720x405+12+58 b
! cmp -s "$WORK/a.png" "$WORK/b.png" && pass "the installed program plays the recording" \
  || fail "no playback on screen"
screenshot installed

# The map panel's top left corner holds Leaflet's white zoom buttons: the
# page found Leaflet through the installed links and the renderer runs.
shot 60x80+749+88 map
white=$(convert "$WORK/map.png" -fill black +opaque white -format '%[fx:round(mean*w*h)]' info:)
[ "$white" -gt 100 ] && pass "the map page draws with Leaflet ($white white pixels)" \
  || fail "no Leaflet controls on the map panel ($white white pixels)"

# The web engine runs sandboxed for an ordinary user: its renderer lies in a
# user namespace of its own under a seccomp filter, and no web engine
# process was told --no-sandbox.
sandboxed=0
for pid in $(pgrep -u "$(id -u)" -f QtWebEngineProcess || true); do
  tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q -- '--no-sandbox' && fail "web engine process without sandbox"
  if grep -q '^Seccomp:[[:space:]]*2' "/proc/$pid/status" \
      && [ "$(readlink "/proc/$pid/ns/user")" != "$(readlink /proc/self/ns/user)" ]; then
    sandboxed=$((sandboxed + 1))
  fi
done
[ "$sandboxed" -gt 0 ] && pass "web engine renderer sandboxed ($sandboxed)" || fail "no sandboxed web engine renderer"

kill "$viewer"; wait "$viewer" 2>/dev/null || true
[ -f "$config/registry/current-user.reg" ] && pass "user settings in $config" || fail "no $config/registry"
[ ! -e "$config/option.ini" ] && pass "options not written before the user saves" \
  || fail "$config/option.ini written at start"
finish
