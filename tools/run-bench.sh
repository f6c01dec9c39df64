#!/usr/bin/env bash
# Builds and runs every benchmark in build/bin (bench_*), one after the other.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
for b in build/bin/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
