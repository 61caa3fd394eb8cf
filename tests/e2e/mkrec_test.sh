#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# zv-mkrec: the files it writes are ordinary AVI files that ffprobe lists and
# GStreamer's avidemux decodes (two channels with AAC, one channel with PCM,
# no audio, a file split into AVIX parts), the demo card has the recorder's
# names and configuration files, and bad arguments or an interrupted run
# leave no file behind.
source "$(dirname "$0")/lib.sh"
MKREC="$PROGRAM_DIR/zv-mkrec"
SMALL=(--front 320x180 --rear 160x90 --seconds 3 --start "2026-05-01 08:00:00")

# "key=value" lines of one stream.
probe() { ffprobe -v error -count_frames -select_streams "$2" \
  -show_entries stream=codec_name,width,height,r_frame_rate,duration,nb_read_frames,sample_rate \
  -of default=noprint_wrappers=1 "$1"; }
expect_probe() { # file stream expected-line...
  local file=$1 stream=$2 out; shift 2
  out=$(probe "$file" "$stream")
  for want in "$@"; do
    grep -qx "$want" <<<"$out" && pass "$(basename "$file") $stream: $want" || fail "$(basename "$file") $stream: no $want in: $(tr '\n' ' ' <<<"$out")"
  done
}
# Decodes every stream with avidemux; $2.. name the pads and their decoders.
gst_decode() {
  local file=$1; shift
  local pipeline="filesrc location=$file ! avidemux name=d"
  for branch in "$@"; do pipeline+=" d.$branch ! fakesink sync=false"; done
  # shellcheck disable=SC2086
  if out=$(gst-launch-1.0 -q $pipeline 2>&1); then pass "avidemux decodes $(basename "$file")"
  else fail "avidemux on $(basename "$file"): $out"; fi
}
H264="queue ! h264parse ! avdec_h264"
AAC="queue ! aacparse ! avdec_aac"

"$MKREC" "$WORK/two.avi" "${SMALL[@]}" || fail "two-channel file not made"
expect_probe "$WORK/two.avi" v:0 codec_name=h264 width=320 height=180 r_frame_rate=30/1 duration=3.000000 nb_read_frames=90
expect_probe "$WORK/two.avi" v:1 codec_name=h264 width=160 height=90 r_frame_rate=30/1 duration=3.000000 nb_read_frames=90
expect_probe "$WORK/two.avi" a:0 codec_name=aac sample_rate=16000
gst_decode "$WORK/two.avi" "video_0 ! $H264" "video_1 ! $H264" "audio_0 ! $AAC"

"$MKREC" "$WORK/pcm.avi" "${SMALL[@]}" --rear none --audio pcm --gps invalid --fps 25 || fail "PCM file not made"
expect_probe "$WORK/pcm.avi" v:0 width=320 r_frame_rate=25/1 nb_read_frames=75
expect_probe "$WORK/pcm.avi" a:0 codec_name=pcm_s16le sample_rate=16000
[ -z "$(probe "$WORK/pcm.avi" v:1)" ] && pass "pcm.avi has one video stream" || fail "pcm.avi has a rear stream"
gst_decode "$WORK/pcm.avi" "video_0 ! $H264" "audio_0 ! queue ! audioconvert"

"$MKREC" "$WORK/mute.avi" "${SMALL[@]}" --audio none --gps none --event || fail "silent file not made"
[ -z "$(probe "$WORK/mute.avi" a)" ] && pass "mute.avi has no audio" || fail "mute.avi has audio"
gst_decode "$WORK/mute.avi" "video_0 ! $H264" "video_1 ! $H264"

"$MKREC" "$WORK/split.avi" "${SMALL[@]}" --riff-limit 65536 || fail "split file not made"
parts=$(grep -c AVIX <(strings -n 4 "$WORK/split.avi"))
[ "$parts" -ge 1 ] && pass "split.avi has $parts AVIX part(s)" || fail "split.avi has no AVIX part"
expect_probe "$WORK/split.avi" v:0 nb_read_frames=90
expect_probe "$WORK/split.avi" v:1 nb_read_frames=90
gst_decode "$WORK/split.avi" "video_0 ! $H264" "video_1 ! $H264" "audio_0 ! $AAC"

# A realistic file: noisy pictures encoded at the bit rate asked for (the
# packets' own sizes, measured by ffprobe, within 20 % of it: a short file overshoots a little).
"$MKREC" "$WORK/noisy.avi" "${SMALL[@]}" --front 640x360 --rear 320x180 --bitrate 1500 --texture noise ||
  fail "noisy file not made"
for stream in v:0 v:1; do
  kbps=$(ffprobe -v error -select_streams "$stream" -show_entries packet=size -of csv=p=0 "$WORK/noisy.avi" |
    awk '{s += $1} END {printf "%d", s * 8 / 3 / 1000}')
  [ "$kbps" -ge 1200 ] && [ "$kbps" -le 1800 ] && pass "noisy.avi $stream: $kbps kbit/s for 1500" ||
    fail "noisy.avi $stream: $kbps kbit/s for 1500"
done

# The demo card, small and short.
"$MKREC" --card "$WORK/card" --minutes 0.05 --front 320x180 --rear 160x90 >/dev/null || fail "card not made"
names=$(cd "$WORK/card" && find . -name '*.AVI' | sort)
count=$(wc -l <<<"$names")
[ "$count" -eq 10 ] && pass "card holds 10 recordings" || fail "card holds $count recordings"
bad=$(sed 's|.*/||' <<<"$names" | grep -Ev '^(REC|EVT|PRK|MDI)_[0-9]{8}_[0-9]{6}_[12](\.AVI|_LPSTOP\.AVI|_LPSTART\.AVI|_SDEXIT\.AVI)$' || true)
[ -z "$bad" ] && pass "card names follow the name grammar" || fail "bad names: $bad"
for folder in MP4_INFINITE MP4_EVENT MP4_PARKING; do
  [ -n "$(ls "$WORK/card/VN_ZORVANE/$folder")" ] && pass "VN_ZORVANE/$folder filled" || fail "VN_ZORVANE/$folder empty"
done
printf '%s\r\n' "Product Name            : K310" "H/W Version             : V1.0.0" \
  "S/W Version             : V0.0.6" "Acc Trigger Level       : 3" "REC Video Qulity        : 3" \
  "REC Audio Enable        : 1" "SPK Vol                 : 3" "Video Channles          : 2" \
  "Parking Mode Select     : 1" "Parking Mode Time       : 0" "Car Battery Volt        : 0" \
  "Battery CutOff Volt     : 3" "Power Off Timer         : 2" "LCD Off Time            : 0" >"$WORK/setup.expected"
cmp -s "$WORK/setup.expected" "$WORK/card/setup.cfg" && pass "setup.cfg bytes" || fail "setup.cfg differs"
[ "$(od -An -c "$WORK/card/time.cfg" | tr -d ' \n' | sed 's/[0-9]/d/g')" = "dd/dd/dd\r\ndd/dd/dd\r\n" ] &&
  pass "time.cfg is YY/MM/DD and hh/mm/ss with CR LF" || fail "time.cfg: $(od -c "$WORK/card/time.cfg")"
one=$(find "$WORK/card" -name '*_1.AVI' | head -n1)
[ -n "$one" ] && [ -z "$(probe "$one" v:1)" ] && pass "one-channel recording on the card" || fail "no one-channel recording"

# Bad arguments: a message and exit status 2; nothing written.
for args in "" "--front 100x" "$WORK/x.avi --audio mp3" "$WORK/x.avi --bitrate 1" "$WORK/x.avi --texture wood" "$WORK/x.avi --seconds -1" "$WORK/x.avi --bogus"; do
  # shellcheck disable=SC2086
  if err=$("$MKREC" $args 2>&1); then fail "'$args' accepted"; else
    status=$?
    [ "$status" -eq 2 ] && grep -q "^zv-mkrec: " <<<"$err" && pass "'$args' rejected: $(head -n1 <<<"$err")" || fail "'$args': status $status, $err"
  fi
done
"$MKREC" "$WORK/missing/x.avi" "${SMALL[@]}" 2>"$WORK/err.txt" && fail "wrote into a missing folder" ||
  { grep -q "missing" "$WORK/err.txt" && [ ! -e "$WORK/missing" ] && pass "missing folder reported: $(cat "$WORK/err.txt")" || fail "no message for a missing folder"; }

# An interrupted run leaves nothing under the final name.
"$MKREC" "$WORK/killed.avi" --front 640x360 --rear 320x180 --seconds 60 2>/dev/null & pid=$!
sleep 1
kill "$pid"; wait "$pid" 2>/dev/null || true
[ ! -e "$WORK/killed.avi" ] && pass "interrupted run left no killed.avi" || fail "killed.avi exists"
ls "$WORK"/*.part 2>/dev/null && fail "temporary files left" || pass "no temporary file left by finished runs"

finish
