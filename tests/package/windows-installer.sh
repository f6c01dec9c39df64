#!/usr/bin/env bash
# The Windows launcher and installer definitions compile with NSIS, warnings counted as
# errors, over a stand-in install tree that holds the real icon and copyright file. The
# programs themselves are built on Windows (tools/windows/deploy.ps1).
#
# usage: windows-installer.sh ICO COPYRIGHT VERSION
set -euo pipefail
ico=$1
copyright=$2
version=$3
nsis=$(cd "$(dirname "$0")/../../tools/windows" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
mkdir -p "$stage/bin/image" "$stage/share/doc/dsp-control"
cp "$ico" "$stage/bin/image/app.ico"
cp "$copyright" "$stage/share/doc/dsp-control/copyright"
echo "stand-in" >"$stage/bin/dsp-control.exe"
makensis -V2 -WX "-DOUTFILE=$stage/bin/dsp-control-launcher.exe" "-DICON=$stage/bin/image/app.ico" "$nsis/launcher.nsi"
setup=$work/dsp-control-$version-setup.exe
makensis -V2 -WX "-DVERSION=$version" "-DSTAGE=$stage" "-DOUTFILE=$setup" "$nsis/installer.nsi"
for exe in "$stage/bin/dsp-control-launcher.exe" "$setup"; do
  # A Windows program: "MZ", and at the offset stored at 0x3C the "PE\0\0" signature.
  [ "$(head -c 2 "$exe")" = MZ ] || { echo "$exe is no Windows program"; exit 1; }
  offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
  [ "$(od -An -c -j"$offset" -N2 "$exe" | tr -d ' ')" = PE ] || { echo "$exe has no PE header"; exit 1; }
done
echo "launcher and installer compile: $(stat -c %s "$setup") bytes"
