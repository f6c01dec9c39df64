#!/usr/bin/env bash
# Builds and runs every benchmark in build/bin (bench_*), one after the other; with an
# argument, only those named bench_<argument>*.
# What the per-interface discovery counts cost the discovery path: tools/run-bench.sh discoverycounts
# dspctl presets backup of 50 simulated devices, --jobs 8 and --jobs 1 (time and peak memory,
# one line per figure): tools/run-bench.sh fleetbackup
# Where the performance goals stand, one line per figure with its goal (start-up, first
# show of every window, scheme and language switch, CPU while meters move, poll rounds, drag
# steps): tools/run-bench.sh goals   (a Release build in build-rel is best: BUILD=build-rel)
# The GUI-thread stalls of the 30-minute soak: build/bin/soak_mainwindow (its last line).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD:-build}"
if [ "${1:-}" = goals ]; then
  [ "$build" = build ] && bash tools/build.sh
  cmake --build "$build" --target bench_startup bench_windows bench_app bench_pages bench_filterpage dsp-device-sim
  b="$build/bin"
  {
    "$b/bench_startup" 7
    "$b/bench_windows" 5
    "$b/bench_app" --seconds 20
    "$b/bench_pages"
    "$b/bench_pages" --style-sheet | sed 's/^/with the style sheet: /'
    "$b/bench_filterpage"
  } 2>/dev/null | grep -E 'goal'
  exit 0
fi
bash tools/build.sh
for b in build/bin/bench_"${1:-}"*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
