#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer,
# coverage for the whole link layer) in their own build directory and runs them.
#   tools/run-fuzz.sh [seconds] [target|all] [extra libFuzzer options...]
# Defaults: 600 seconds, fuzz_dispatch. "all" builds every target in one go and runs each
# for the given time, one after the other; .ci/run does that for 60 seconds. The status is
# non-zero when any target found something (a crash, a leak, a sanitizer report, an input
# slower than 25 s). Findings and the grown corpora stay in the build directory; the seed
# corpora in the source tree are only read.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
target=${2:-fuzz_dispatch}
shift $(( $# > 2 ? 2 : $# ))
build=${DSP_FUZZ_BUILD:-../build-fuzz}
if [ "$target" = all ]; then
  targets=()
  for d in fuzz/*/; do
    [ -f "$d/CMakeLists.txt" ] && targets+=("fuzz_$(basename "$d")")
  done
else
  targets=("$target")
fi
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDSP_BUILD_FUZZ=ON -DDSP_SANITIZE=ON -DDSP_BUILD_TESTS=OFF -DDSP_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link"
fi
# Only the targets and the libraries they link.
cmake --build "$build" --target "${targets[@]}" --parallel 2
build=$(cd "$build" && pwd)
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
failed=()
for t in "${targets[@]}"; do
  name=${t#fuzz_}
  seeds=$(pwd)/fuzz/$name/corpus
  work="$build/fuzz-$name"
  mkdir -p "$work/corpus" "$work/artifacts"
  # Preset files and all-slot exports run to 12 KiB; frames, records and cfg.ini fit in 4.
  maxlen=4096
  [ "$name" = transfer ] && maxlen=16384
  echo "== $t: $seconds s"
  status=0
  # With -jobs libFuzzer writes its log (fuzz-0.log) into the working directory. -reload=0:
  # one worker has no one else's findings to pick up, and rereading a corpus of thousands of
  # files every second costs a few per cent.
  (cd "$work" && "$build/bin/$t" corpus "$seeds" -max_total_time="$seconds" -max_len=$maxlen -timeout=25 \
    -jobs=1 -workers=1 -reload=0 -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$@") || status=$?
  tail -n 25 "$work/fuzz-0.log" 2>/dev/null || true
  [ $status -eq 0 ] || failed+=("$t")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found something in: ${failed[*]} (inputs in $build/fuzz-*/artifacts)" >&2
  exit 1
fi
