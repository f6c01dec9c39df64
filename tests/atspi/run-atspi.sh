#!/usr/bin/env bash
# Starts the application in a private D-Bus session, where it registers with the
# accessibility bus, and runs the AT-SPI client against it, as a screen reader would be.
# Needs an X display (CTest runs it under xvfb-run). Exit 77: skipped, the reason printed.
#   run-atspi.sh APPLICATION
set -u
app=$1
client=$(cd "$(dirname "$0")" && pwd)/atspi_client.py
skip() { echo "SKIP: $*"; exit 77; }
command -v dbus-run-session >/dev/null || skip "no dbus-run-session (package dbus)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "no accessibility bus launcher (package at-spi2-core)"
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null \
  || skip "no AT-SPI client library for Python (packages python3-gi, gir1.2-atspi-2.0)"
[ -n "${DISPLAY:-}" ] || skip "no X display"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
# English, the 12 x 12 Dante variant, no variant question at start.
printf '[Language]\nSupport=3\nCurrent=1\n[Appearance]\nSupport=3\nConfig=0\n[DeviceVersionSelection]\nCurrent=3\nShowAtStartup=0\n' > cfg.ini
export XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data XDG_RUNTIME_DIR=$dir/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
export DSP_ATSPI_APP="$app" DSP_ATSPI_CLIENT="$client"
exec dbus-run-session -- bash -c '
  "$DSP_ATSPI_APP" > app.log 2>&1 &
  pid=$!
  /usr/bin/python3 "$DSP_ATSPI_CLIENT"
  rc=$?
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  [ $rc -ne 0 ] && [ $rc -ne 77 ] && { echo "--- application log"; cat app.log; }
  exit $rc'
