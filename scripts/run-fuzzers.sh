#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every libFuzzer target of the fuzz build for SECONDS seconds each,
# seeded with corpora written now: recordings by zv-mkrec (with their idx1
# and OpenDML indexes, with only one of them, and with none, so that the
# index-first load and the scan fallback are both exercised) and text files
# by zv-fuzz-seeds through the program's own writers. Each target's output,
# its final stats included, goes to the console and to FUZZ_BUILD/logs/.
# usage: run-fuzzers.sh BUILD FUZZ_BUILD SECONDS
set -euo pipefail
build=$(realpath "$1") fuzz=$(realpath "$2") seconds=$3
corpus=$fuzz/corpus logs=$fuzz/logs
rm -rf "$corpus" "$logs"
mkdir -p "$corpus/recording" "$logs" "$fuzz/home"

mkrec() { "$build/bin/zv-mkrec" "$corpus/recording/$1" "${@:2}" >/dev/null 2>&1; }
mkrec plain.avi --front 64x64 --rear 64x64 --seconds 1
mkrec parts.avi --front 64x64 --rear 64x64 --audio pcm --seconds 2 --riff-limit 65536
mkrec single.avi --front 64x64 --rear none --audio none --gps invalid --seconds 1
# The same files with some of their indexes renamed to JUNK.
without() {  # SOURCE TARGET ID...
  local source=$1 target=$2; shift 2
  local expr=""
  for id in "$@"; do expr+="s/$id/JUNK/g;"; done
  perl -0777 -pe "$expr" "$corpus/recording/$source" >"$corpus/recording/$target"
}
for f in plain parts; do
  without $f.avi $f-idx1-only.avi indx 'ix0[0-9]'
  without $f.avi $f-indx-only.avi idx1
  without $f.avi $f-no-index.avi idx1 indx 'ix0[0-9]'
done
"$fuzz/zv-fuzz-seeds" "$corpus"

corpus_of() {
  case $1 in
    recording-reader|parse-filter) echo "$corpus/recording" ;;
    *) echo "$corpus/$1" ;;
  esac
}

# LeakSanitizer leaves out only what GLib allocates before main; the
# libraries are built without frame pointers, so the targets that load them
# find their allocations' callers the slow way (fast_unwind_on_malloc=0).
export LSAN_OPTIONS="suppressions=$(dirname "$(realpath "$0")")/../tests/fuzz/lsan.supp:print_suppressions=0"
failed=0
for target in ${ZV_FUZZ_TARGETS:-recording-reader parse-filter gps-text sensor-record viewer-options setup-file time-file}; do
  # Each target grows a corpus of its own, the seeds copied in first.
  work=$fuzz/work/$target
  rm -rf "$work" && mkdir -p "$work" && cp "$(corpus_of $target)"/* "$work"/
  echo "== zv-fuzz-$target: $seconds s"
  asan=""
  [ $target = parse-filter ] && asan=fast_unwind_on_malloc=0
  if ! ASAN_OPTIONS=$asan HOME=$fuzz/home "$fuzz/zv-fuzz-$target" -max_total_time="$seconds" -timeout=10 \
       -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$logs/$target-" "$work" \
       >"$logs/$target.log" 2>&1; then
    failed=1
    echo "zv-fuzz-$target FAILED (log: $logs/$target.log)"
    tail -n 60 "$logs/$target.log"
  fi
  grep -E '^(stat::|Done |#[0-9]+.*DONE)' "$logs/$target.log" || true
done
exit $failed
