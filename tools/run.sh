#!/usr/bin/env bash
# Installs what is missing, builds and starts the application together with a simulated
# device on this machine. The application runs in build/bin, where cfg.ini, devices.db and
# image/app.ico live. The device listens on 127.0.0.1 only and announces itself to this
# machine's own addresses, so nothing leaves the machine; closing the application stops it.
# DSP_NO_SIM=1 starts the application alone.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
bash tools/build.sh
cd build/bin
sim_pid=""
if [ "${DSP_NO_SIM:-0}" != 1 ]; then
  ./dsp-device-sim --bind 127.0.0.1 --announce-to local --password "${DSP_DEMO_PASSWORD:-1234}" \
      --model "DSP-1616" --serial "SIM-0001" --location "Demo rack" --description "Simulated device" &
  sim_pid=$!
  trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; wait 2>/dev/null || true' EXIT
fi
./dsp-control "$@"
