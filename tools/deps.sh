#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when missing.
set -euo pipefail
# help2man writes the man pages; dpkg-dev (dpkg-shlibdeps), desktop-file-utils and appstream
# make and check the .deb; nsis checks the Windows installer definition.
pkgs=(cmake ninja-build g++ ccache qtbase5-dev qttools5-dev qttools5-dev-tools libqt5sql5-sqlite
      fonts-font-awesome iproute2 xvfb xauth help2man dpkg-dev desktop-file-utils appstream nsis)
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
