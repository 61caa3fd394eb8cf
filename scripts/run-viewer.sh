#!/usr/bin/env bash
# Starts the viewer from the build's program folder. Without a display it
# runs under a virtual X server so that it still starts.
set -euo pipefail
build=${1:-build}
viewer="$build/bin/zorvane-viewer"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "no display: starting the viewer under xvfb-run (nothing will be visible)" >&2
  exec xvfb-run -a "$viewer" "$@"
fi
exec "$viewer" "$@"
