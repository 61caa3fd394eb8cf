#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the viewer from the build's program folder on the demo card, which
# is made once with the project's own generator and then kept. Without a
# display it runs under a virtual X server so that it still starts.
set -euo pipefail
build=${1:-build}
shift || true
viewer="$build/bin/zorvane-viewer"
card=${ZV_DEMO_CARD:-demo-card}
if [ ! -f "$card/setup.cfg" ]; then
  echo "making the demo card in $card (once)..."
  rm -rf "$card.partial"
  "$build/bin/zv-mkrec" --card "$card.partial"
  mv "$card.partial" "$card"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "no display: starting the viewer under xvfb-run (nothing will be visible)" >&2
  exec xvfb-run -a "$viewer" "$card" "$@"
fi
exec "$viewer" "$card" "$@"
