#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# GStreamer's own tools use the installed plugin: gst-inspect-1.0 shows its
# licence and origin, and gst-launch-1.0 decodes both video channels and the
# sound of a generated recording through `vnstreamparse location=...`.
source "$(dirname "$0")/lib.sh"
export GST_PLUGIN_PATH="$ZV_STAGE$ZV_PLUGIN_DIR" GST_REGISTRY="$WORK/registry.bin"
REC="$WORK/REC_20240102_030405_F.AVI"
"$ZV_PROGRAM_DIR/zv-mkrec" "$REC" --front 320x180 --rear 256x144 --fps 30 --seconds 2 \
  >/dev/null 2>&1 || fail "zv-mkrec"

inspect=$(gst-inspect-1.0 VNStreamParseFilter 2>&1)
grep -q "Filename *$GST_PLUGIN_PATH/VNStreamParseFilter.so" <<<"$inspect" \
  && pass "the installed plugin is the one found" || fail "plugin not found in $GST_PLUGIN_PATH: $inspect"
grep -q "License *LGPL$" <<<"$inspect" && pass "licence LGPL" || fail "licence: $(grep License <<<"$inspect")"
origin=$(sed -n 's/^ *Origin URL *//p' <<<"$inspect")
[ -n "$origin" ] && ! grep -qi localhost <<<"$origin" && pass "origin: $origin" || fail "origin: $origin"
# Read whole before grep: with pipefail, grep -q ending the pipe early would
# fail gst-inspect-1.0 with a broken pipe.
element=$(gst-inspect-1.0 vnstreamparse 2>&1)
grep -q 'Supported URI protocols' <<<"$element" && pass "file URI handler" || fail "no URI handler: $element"

# Raw I420 frames: 60 of each channel, of each channel's size.
H264="queue ! h264parse ! avdec_h264 ! video/x-raw,format=I420"
if out=$(gst-launch-1.0 -q vnstreamparse location="$REC" name=s \
    s.Video1 ! $H264 ! filesink location="$WORK/front.yuv" \
    s.Video2 ! $H264 ! filesink location="$WORK/rear.yuv" \
    s.Audio ! queue ! aacparse ! avdec_aac ! audioconvert ! audio/x-raw,format=S16LE,channels=1 \
      ! filesink location="$WORK/sound.raw" 2>&1); then
  pass "gst-launch-1.0 ran to the end"
else
  fail "gst-launch-1.0: $out"
fi
size() { stat -c %s "$1" 2>/dev/null || echo 0; }
[ "$(size "$WORK/front.yuv")" = $((320 * 180 * 3 / 2 * 60)) ] && pass "Video1: 60 frames of 320x180" \
  || fail "Video1: $(size "$WORK/front.yuv") bytes"
[ "$(size "$WORK/rear.yuv")" = $((256 * 144 * 3 / 2 * 60)) ] && pass "Video2: 60 frames of 256x144" \
  || fail "Video2: $(size "$WORK/rear.yuv") bytes"
# Two seconds of 16 kHz mono sound, in whole AAC frames of 1024 samples (the
# encoder's priming adds up to two).
sound=$(size "$WORK/sound.raw")
[ "$sound" -ge $((16000 * 2 * 2)) ] && [ "$sound" -le $(((16000 * 2 + 2048) * 2)) ] \
  && pass "Audio: $sound bytes" || fail "Audio: $sound bytes"

# A file that is not there is an error, not a hang.
if out=$(timeout 20 gst-launch-1.0 -q vnstreamparse location="$WORK/none.AVI" ! fakesink 2>&1); then
  fail "a missing file played"
else
  grep -q 'Could not find the recording' <<<"$out" && pass "a missing file is an error" || fail "missing file: $out"
fi
finish
