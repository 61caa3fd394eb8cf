# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers shared by the end-to-end scripts. Each script gets the program
# folder and a work folder, and runs with a display of its own.
set -euo pipefail
PROGRAM_DIR=$1
WORK=$2
rm -rf "$WORK"
mkdir -p "$WORK/home" "$WORK/runtime"
chmod 700 "$WORK/runtime"
export HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime"
unset XDG_CONFIG_HOME
VIEWER="$PROGRAM_DIR/zorvane-viewer"
FAILURES=0

fail() { echo "FAIL: $*"; FAILURES=$((FAILURES + 1)); }
pass() { echo "ok: $*"; }

# Window id of the first visible window titled $1, waiting up to $2 seconds.
wait_window() {
  local title=$1 limit=${2:-30} id=""
  for _ in $(seq $((limit * 5))); do
    id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

# Waits up to $2 seconds for child process $1 to end and sets EXIT_STATUS.
# Fails (and kills the process) when it is still running then.
wait_exit() {
  local pid=$1 limit=${2:-10}
  EXIT_STATUS=none
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      EXIT_STATUS=0
      wait "$pid" 2>/dev/null || EXIT_STATUS=$?
      return 0
    fi
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  return 1
}

screenshot() { import -window root "$WORK/$1.png" 2>/dev/null || true; }

# The front screen of main window $win, saved as $WORK/$1.png; whether two
# such pictures differ.
front_shot() { import -window "$win" -crop 720x405+12+58 "$WORK/$1.png" 2>/dev/null; }
changed() { ! cmp -s "$WORK/$1.png" "$WORK/$2.png"; }

finish() {
  if [ "$FAILURES" -ne 0 ]; then echo "$FAILURES check(s) failed"; exit 1; fi
  echo "all checks passed"
}
