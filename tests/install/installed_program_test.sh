#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program, started from the DESTDIR tree by an ordinary user
# under Xvfb: it finds its installed parts, plays a generated recording, its
# map page draws with the system's Leaflet in the web engine with its sandbox
# on, and it writes nothing but the user's own configuration.
# $2: the folder of the generated recordings.
source "$(dirname "$0")/lib.sh"
FIXTURES=$2
T=$(user_folder)
trap 'rm -rf "$T"' EXIT
cp -a "$ZV_STAGE" "$T/root"
mkdir "$T/card" "$T/home"
cp "$FIXTURES/REC_20130521_143015_F.AVI" "$FIXTURES/REC_20130521_143115_F.AVI" "$T/card/"
cp "$(dirname "$0")/installed_program_run.sh" "$(dirname "$0")/../e2e/lib.sh" "$T/"
chmod -R a+rX "$T"
touch "$T/before"
status=0
as_user "$T/home" xvfb-run -a -s "${ZV_XVFB_SERVER_ARGS:?set by the test registration in CMake}" \
  bash "$T/installed_program_run.sh" "$T/root$ZV_PREFIX/bin" "$T/home/work" "$T/card" \
  >"$WORK/run.log" 2>&1 || status=$?
cat "$WORK/run.log"
cp "$T"/home/work/*.png "$WORK/" 2>/dev/null || true
[ "$status" = 0 ] && pass "the installed program's checks" || fail "the installed program's checks (status $status)"

written=$(find "$T/root" -newer "$T/before" | sed "s|^$T/root||")
[ -z "$written" ] && pass "nothing written into the installed tree" || fail "written into the installed tree: $written"
finish
