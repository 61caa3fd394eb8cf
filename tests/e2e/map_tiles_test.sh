#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The map of the real main window (MapTilesE2ETest.cpp), in three runs of the
# test program that share one home folder: tiles from a local HTTP server,
# the same tiles from the cache with the server gone, an offline map file.
# Arguments: the test program, the program folder, a work folder, zv-mkrec.
set -euo pipefail
TEST=$1 PROGRAM_DIR=$2 WORK=$3 MKREC=$4
rm -rf "$WORK"
mkdir -p "$WORK/home" "$WORK/card"
chmod 700 "$WORK/home"

# A drive with full speed and braking (two speed bands), a shorter one, and
# one whose fixes all lack a position.
make_recording() {
  "$MKREC" "$WORK/card/$1" --fps 5 --front 160x90 --rear none --audio none \
    --start "2024-03-01 10:00:00" "${@:2}" >/dev/null
}
make_recording REC_20240301_100000_F.AVI --seconds 30
make_recording REC_20240301_100100_F.AVI --seconds 12
make_recording REC_20240301_100200_F.AVI --seconds 4 --gps invalid

status=0
for t in OnlineTilesNameTheProgramAndShowUnderEachRecordingsRoute \
         TilesAlreadySeenShowFromTheCacheWithTheServerGone \
         AnOfflineMapFileIsDrawnWithNoServer; do
  xvfb-run -a -s "${ZV_XVFB_SERVER_ARGS:?set by the test registration in CMake}" "$TEST" "$PROGRAM_DIR" "$WORK" \
    --gtest_filter="MapTilesE2ETest.$t" || status=1
done
exit $status
