#!/usr/bin/env bash
# Makes the .deb and checks it (tools/check-package.sh).
#
# usage: tools/package.sh             installs what is missing, builds build/, packages it
#        tools/package.sh --from DIR  packages the existing build in DIR (the test suite's way)
# The package lands in DIR/package/ (build/package/).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --from ]; then
  build=$2
else
  bash tools/deps.sh
  bash tools/build.sh
  build=build
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
out=$build/package
rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$build/cpack.log" 2>&1 || {
  cat "$build/cpack.log"
  exit 1
}
deb=$(echo "$out"/dsp-control_"$version"_*.deb)
[ -f "$deb" ] || {
  echo "no dsp-control_${version}_*.deb in $out"
  exit 1
}
bash tools/check-package.sh "$deb" "$version"
