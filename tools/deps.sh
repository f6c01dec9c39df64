#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when missing.
set -euo pipefail
# help2man writes the man pages; dpkg-dev (dpkg-shlibdeps), desktop-file-utils and appstream
# make and check the .deb; nsis checks the Windows installer definition. The windows ask for
# Arial: fonts-liberation2 answers with a font of Arial's widths, which the layouts are sized
# for (DejaVu Sans, the fallback, is about a tenth wider); fonts-wqy-microhei draws the Chinese
# texts, which the layout checks measure in both languages. dbus, at-spi2-core, python3-gi and
# gir1.2-atspi-2.0 let tests/atspi work the application through a real accessibility bus.
pkgs=(cmake ninja-build g++ ccache qtbase5-dev qttools5-dev qttools5-dev-tools libqt5sql5-sqlite
      fonts-font-awesome fonts-liberation2 fonts-wqy-microhei iproute2 xvfb xauth help2man dpkg-dev desktop-file-utils appstream
      nsis dbus at-spi2-core python3-gi gir1.2-atspi-2.0)
[ "${DSP_WITH_CLANG:-0}" = 1 ] && pkgs+=(clang libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
