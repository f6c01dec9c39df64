#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer,
# coverage for the whole link layer) in their own build directory and runs one of them.
#   tools/run-fuzz.sh [seconds] [target] [extra libFuzzer options...]
# Defaults: 600 seconds, fuzz_dispatch. Findings and the grown corpus stay in the build
# directory; the seed corpus in the source tree is only read.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
target=${2:-fuzz_dispatch}
shift $(( $# > 2 ? 2 : $# ))
build=${DSP_FUZZ_BUILD:-../build-fuzz}
name=${target#fuzz_}
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDSP_BUILD_FUZZ=ON -DDSP_SANITIZE=ON -DDSP_BUILD_TESTS=OFF -DDSP_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link"
fi
cmake --build "$build" --target "$target" --parallel 2
build=$(cd "$build" && pwd)
seeds=$(pwd)/fuzz/$name/corpus
work="$build/fuzz-$name"
mkdir -p "$work/corpus" "$work/artifacts"
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
# With -jobs libFuzzer writes its log (fuzz-0.log) into the working directory.
cd "$work"
status=0
"$build/bin/$target" corpus "$seeds" -max_total_time="$seconds" -max_len=4096 -jobs=1 -workers=1 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$@" || status=$?
tail -n 25 fuzz-0.log 2>/dev/null || true
exit $status
