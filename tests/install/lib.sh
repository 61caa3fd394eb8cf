# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers shared by the install tests. CTest passes the build's facts in the
# environment: ZV_BUILD, ZV_SOURCE, ZV_PROGRAM_DIR, ZV_STAGE (the DESTDIR
# tree of `make install`), ZV_PREFIX, ZV_PLUGIN_DIR and ZV_APP_ID. $1 is the
# test's work folder.
set -euo pipefail
WORK=$1
rm -rf "$WORK"
mkdir -p "$WORK"
INSTALLED="$ZV_STAGE$ZV_PREFIX"
FAILURES=0
fail() { echo "FAIL: $*"; FAILURES=$((FAILURES + 1)); }
pass() { echo "ok: $*"; }
finish() {
  if [ "$FAILURES" -ne 0 ]; then echo "$FAILURES check(s) failed"; exit 1; fi
  echo "all checks passed"
}

# The ordinary user the tests run programs as. Run as root, the tests make
# (once) and use a system user of their own; run by an ordinary user, they
# use that user.
TEST_USER=zv-test-user
if [ "$(id -u)" = 0 ] && ! id "$TEST_USER" >/dev/null 2>&1; then
  useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$TEST_USER"
fi

# A folder under /tmp that the ordinary user owns (the build folder may lie
# where that user cannot read, such as /root).
user_folder() {
  local dir
  dir=$(mktemp -d /tmp/zv-user-XXXXXX)
  chmod 755 "$dir"
  [ "$(id -u)" = 0 ] && chown "$TEST_USER:" "$dir"
  echo "$dir"
}

# Runs a command as the ordinary user with a clean environment and $1 as
# its home; the rest is the command.
as_user() {
  local home=$1; shift
  local env=(env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$home" LANG=C.UTF-8
             XDG_RUNTIME_DIR="$home/runtime")
  mkdir -p "$home/runtime" && chmod 700 "$home/runtime"
  if [ "$(id -u)" = 0 ]; then
    chown -R "$TEST_USER:" "$home"
    runuser -u "$TEST_USER" -- "${env[@]}" "$@"
  else
    "${env[@]}" "$@"
  fi
}
