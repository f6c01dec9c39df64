#!/usr/bin/env bash
# Builds and runs every benchmark in build/bin (bench_*), one after the other; with an
# argument, only those named bench_<argument>*.
# What the per-interface discovery counts cost the discovery path: tools/run-bench.sh discoverycounts
# dspctl presets backup of 50 simulated devices, --jobs 8 and --jobs 1 (time and peak memory,
# one line per figure): tools/run-bench.sh fleetbackup
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
for b in build/bin/bench_"${1:-}"*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
