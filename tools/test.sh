#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
# The test build treats every warning as an error and keeps Qt's asserts.
bash tools/build.sh -DDSP_WERROR=ON -DDSP_ASSERTS=ON
cd build
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
