#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `zorvane-viewer --export gpx|kml|csv OUT PATH...` on generated recordings,
# with no display at all and in a time zone other than the recorder's: GPX
# that gpsbabel reads back point for point, KML that parses, CSV with one row
# per record, three joined recordings and one after a gap as two trips, and
# a one-line error with a non-zero status (and no file) when it cannot work.
source "$(dirname "$0")/lib.sh"
MKREC="$PROGRAM_DIR/zv-mkrec"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export TZ=America/New_York
CARD="$WORK/card"
mkdir -p "$CARD/sub" "$WORK/nogps"

make_recording() { # path start [options]
  local path=$1 start=$2; shift 2
  "$MKREC" "$path" --seconds 3 --front 160x90 --rear none --fps 10 --audio none --start "$start" "$@" \
    >/dev/null 2>&1 || fail "zv-mkrec $path"
}
make_recording "$CARD/REC_20240101_120000_F.AVI" "2024-01-01 12:00:00"
make_recording "$CARD/sub/REC_20240101_120003_F.AVI" "2024-01-01 12:00:03"
make_recording "$CARD/REC_20240101_120006_F.AVI" "2024-01-01 12:00:06"
make_recording "$CARD/REC_20240101_120100_F.AVI" "2024-01-01 12:01:00"
make_recording "$WORK/nogps/REC_20240101_120000_F.AVI" "2024-01-01 12:00:00" --gps invalid
echo "not a recording" >"$CARD/notes.txt"

# The RMC sentences as the files hold them, oldest recording first, read
# without the viewer's own parser.
FILES=("$CARD/REC_20240101_120000_F.AVI" "$CARD/sub/REC_20240101_120003_F.AVI"
       "$CARD/REC_20240101_120006_F.AVI" "$CARD/REC_20240101_120100_F.AVI")
sentences() { for f in "$@"; do grep -a -o 'GPRMC,[^*]*' "$f"; done; }
# "lat,lon" in degrees of the valid sentences, one a line.
valid_positions() {
  sentences "$@" | awk -F, '$3 == "A" {
    lat = int($4 / 100) + ($4 - int($4 / 100) * 100) / 60; if ($5 == "S") lat = -lat
    lon = int($6 / 100) + ($6 - int($6 / 100) * 100) / 60; if ($7 == "W") lon = -lon
    printf "%.6f,%.6f\n", lat, lon }'
}
EXPECTED=$(valid_positions "${FILES[@]}")
VALID=$(wc -l <<<"$EXPECTED")
RECORDS=$(for f in "${FILES[@]}"; do grep -a -o zvsr "$f"; done | wc -l)

run_export() { # format out paths...
  "$VIEWER" --export "$@" 2>"$WORK/stderr"
}

# ---- GPX --------------------------------------------------------------------
if run_export gpx "$WORK/track.gpx" "$CARD"; then pass "gpx export"; else fail "gpx export: $(cat "$WORK/stderr")"; fi
[ ! -s "$WORK/stderr" ] && pass "gpx: nothing on stderr" || fail "gpx stderr: $(cat "$WORK/stderr")"
xmllint --noout "$WORK/track.gpx" && pass "gpx is well-formed" || fail "gpx is not well-formed"
TZ=UTC gpsbabel -t -i gpx -f "$WORK/track.gpx" -o unicsv -F "$WORK/track.csv" || fail "gpsbabel cannot read the gpx"
POINTS=$(tail -n +2 "$WORK/track.csv" | tr -d '\r' | awk -F, '{ printf "%.6f,%.6f\n", $2, $3 }')
[ "$(wc -l <<<"$POINTS")" -eq "$VALID" ] && pass "gpx has the $VALID valid fixes" \
  || fail "gpx has $(wc -l <<<"$POINTS") points, the files $VALID valid fixes"
[ "$(head -n1 <<<"$POINTS")" = "$(head -n1 <<<"$EXPECTED")" ] && pass "gpx first point" \
  || fail "gpx first point $(head -n1 <<<"$POINTS") is not $(head -n1 <<<"$EXPECTED")"
[ "$(tail -n1 <<<"$POINTS")" = "$(tail -n1 <<<"$EXPECTED")" ] && pass "gpx last point" \
  || fail "gpx last point $(tail -n1 <<<"$POINTS") is not $(tail -n1 <<<"$EXPECTED")"
# Date and time columns: every point later than the one before; the first one
# is the fix's own UTC time (the recorder ran nine hours ahead of UTC;
# gpsbabel writes times in its local zone, UTC here).
TIMES=$(tail -n +2 "$WORK/track.csv" | tr -d '\r' | awk -F, '{ print $4 " " $5 }')
sort -c -u <<<"$TIMES" && pass "gpx times increase" || fail "gpx times do not increase: $(tr '\n' ';' <<<"$TIMES")"
[ "$(head -n1 <<<"$TIMES")" = "2024/01/01 03:00:00" ] && pass "gpx first time is the fix's UTC time" \
  || fail "gpx first time $(head -n1 <<<"$TIMES")"
# Three recordings that follow each other and one after a gap: two trips.
[ "$(grep -c '<trk>' "$WORK/track.gpx")" -eq 2 ] && pass "two trips" \
  || fail "$(grep -c '<trk>' "$WORK/track.gpx") tracks instead of two trips"

# ---- KML --------------------------------------------------------------------
run_export kml "$WORK/track.kml" "${FILES[@]}" || fail "kml export: $(cat "$WORK/stderr")"
xmllint --noout "$WORK/track.kml" && pass "kml is well-formed" || fail "kml is not well-formed"
KML_POINTS=$(gpsbabel -t -i kml -f "$WORK/track.kml" -o unicsv -F - | tail -n +2 | wc -l)
[ "$KML_POINTS" -eq "$VALID" ] && pass "kml parses with the $VALID fixes" || fail "kml parses with $KML_POINTS points"
grep -q '<TimeSpan>' "$WORK/track.kml" && pass "kml has a TimeSpan" || fail "kml has no TimeSpan"

# ---- CSV --------------------------------------------------------------------
run_export csv "$WORK/records.csv" "$CARD" || fail "csv export: $(cat "$WORK/stderr")"
ROWS=$(($(wc -l <"$WORK/records.csv") - 1))
[ "$ROWS" -eq "$RECORDS" ] && pass "csv has one row per record ($RECORDS)" || fail "csv has $ROWS rows for $RECORDS records"
head -n1 "$WORK/records.csv" | tr -d '\r' | grep -qx 'time,recording,offset_ms,kind,latitude,longitude,speed_kmh,course,x_g,y_g,z_g' \
  && pass "csv header" || fail "csv header: $(head -n1 "$WORK/records.csv")"
# Without a valid fix the name is read in this computer's zone: noon in New York.
run_export csv "$WORK/nogps.csv" "$WORK/nogps" || fail "csv export without fixes"
sed -n 2p "$WORK/nogps.csv" | grep -q '^2024-01-01T17:00:00Z,REC_20240101_120000_F.AVI,0,gsensor,' \
  && pass "csv time from the name in local time" || fail "csv first row: $(sed -n 2p "$WORK/nogps.csv")"

# ---- Failures ---------------------------------------------------------------
check_failure() { # expected-status description args...
  local want=$1 what=$2 status=0; shift 2
  echo old >"$WORK/keep.gpx"
  "$VIEWER" --export "$@" 2>"$WORK/stderr" || status=$?
  if [ "$status" -eq "$want" ] && [ "$(wc -l <"$WORK/stderr")" -eq 1 ] && [ "$(cat "$WORK/keep.gpx")" = old ]; then
    pass "$what: status $status, $(cat "$WORK/stderr")"
  else
    fail "$what: status $status, stderr: $(cat "$WORK/stderr"), out: $(head -c 40 "$WORK/keep.gpx")"
  fi
}
check_failure 1 "missing path" gpx "$WORK/keep.gpx" "$WORK/missing"
check_failure 2 "unknown format" gpz "$WORK/keep.gpx" "$CARD"
check_failure 2 "no path" gpx "$WORK/keep.gpx"
check_failure 1 "no valid fix" gpx "$WORK/keep.gpx" "$WORK/nogps"
check_failure 1 "not a recording" gpx "$WORK/keep.gpx" "$CARD/notes.txt"
check_failure 1 "folder without recordings" gpx "$WORK/keep.gpx" "$WORK/home"
ls "$WORK"/keep.gpx.* >/dev/null 2>&1 && fail "a temporary file was left" || pass "no temporary file left"
finish
