#!/usr/bin/env bash
# Installs what is missing, builds and starts the application. It runs in build/bin,
# where cfg.ini, devices.db and image/app.ico live.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
bash tools/build.sh
cd build/bin
exec ./dsp-control "$@"
