#!/usr/bin/env bash
# Configures and builds into build/ (executables land in build/bin/). Arguments are CMake
# definitions (-DNAME=VALUE), applied to a new or an existing build.
set -euo pipefail
cd "$(dirname "$0")/.."
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
elif [ $# -gt 0 ]; then
  cmake -S . -B build "$@"
fi
cmake --build build --parallel "$(nproc)"
