#!/usr/bin/env bash
# Checks a .deb as a user's machine would see it: unpacked into a fresh root, every program
# in its bin/ answers --version (with VERSION) and --help without a display and has a man
# page, the desktop entry and the metainfo validate and agree with the package, the icons
# are the sizes their folders say, and the launcher starts the program in the user's data
# folder.
#
# usage: tools/check-package.sh DEB VERSION
set -euo pipefail
deb=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

dpkg-deb -x "$deb" "$root"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version), not $version"
depends=$(dpkg-deb -f "$deb" Depends)
case "$depends" in *libqt5core5a*) ;; *) fail "Depends names no Qt package: $depends" ;; esac

metainfo=$(echo "$root"/usr/share/metainfo/*.metainfo.xml)
desktop=$(echo "$root"/usr/share/applications/*.desktop)
[ -f "$metainfo" ] || fail "no metainfo"
[ -f "$desktop" ] || fail "no desktop entry"

# Programs: whatever the package put in bin/.
programs=0
for program in "$root"/usr/bin/*; do
  name=$(basename "$program")
  programs=$((programs + 1))
  cwd=$work/cwd-$name
  mkdir "$cwd"
  for option in --version --help; do
    if ! out=$(cd "$cwd" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$option" 2>&1); then
      fail "$name $option failed: $out"
      continue
    fi
    case "$option" in
    --version) [ "$(head -n 1 <<<"$out")" = "$name $version" ] || fail "$name --version says '$out'" ;;
    --help) grep -q -- '--version' <<<"$out" || fail "$name --help lists no --version" ;;
    esac
  done
  [ -z "$(ls -A "$cwd")" ] || fail "$name wrote into its working directory: $(ls -A "$cwd")"
  [ -f "$root/usr/share/man/man1/$name.1.gz" ] || fail "$name has no man page"
  grep -q "<binary>$name</binary>" "$metainfo" || fail "the metainfo does not list $name"
done
[ "$programs" -gt 0 ] || fail "no programs in bin/"

out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
out=$(appstreamcli validate-tree --no-net "$root" 2>&1) || fail "appstreamcli validate-tree: $out"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo's release is not $version"
id=$(basename "$metainfo" .metainfo.xml)
[ "$(basename "$desktop" .desktop)" = "$id" ] || fail "desktop entry and metainfo named apart"

# Icons: the theme entry from 16 to 256 pixels, each PNG as wide and high as its folder says.
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon" = "$id" ] || fail "desktop entry icon $icon"
for size in 16 256; do
  [ -f "$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png" ] || fail "no ${size}px icon"
done
for png in "$root"/usr/share/icons/hicolor/*/apps/"$icon".png; do
  dir=$(basename "$(dirname "$(dirname "$png")")")
  read -r w0 w1 w2 w3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$png")
  w=$(((w0 << 24) | (w1 << 16) | (w2 << 8) | w3))
  h=$(((h0 << 24) | (h1 << 16) | (h2 << 8) | h3))
  [ "${w}x$h" = "$dir" ] || fail "$png is ${w}x$h"
done

# The launcher the desktop entry runs: from the unpacked root it runs the unpacked program.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
launcher=$root$exec_line
[ -x "$launcher" ] || fail "Exec=$exec_line is not in the package"
out=$(HOME=$work/home XDG_DATA_HOME=$work/data env -u DISPLAY "$launcher" --version 2>&1) || fail "launcher --version: $out"
[ "$out" = "dsp-control $version" ] || fail "launcher --version says '$out'"
# ... in the data folder, made when missing, with the arguments as given. A stand-in shows it.
fake=$work/fake
mkdir -p "$fake/bin" "$fake/$(dirname "${exec_line#/usr/}")"
cp "$launcher" "$fake/${exec_line#/usr/}"
printf '#!/bin/sh\npwd\nfor a; do echo "[$a]"; done\n' >"$fake/bin/dsp-control"
chmod +x "$fake/bin/dsp-control"
out=$(cd / && HOME=$work/home XDG_DATA_HOME=$work/data "$fake/${exec_line#/usr/}" "two words" -a 2>&1) || true
[ "$out" = "$(printf '%s\n[two words]\n[-a]' "$work/data/dsp-control")" ] || fail "launcher with XDG_DATA_HOME: $out"
out=$(cd / && HOME=$work/home XDG_DATA_HOME=relative "$fake/${exec_line#/usr/}" 2>&1) || true
[ "$out" = "$work/home/.local/share/dsp-control" ] || fail "launcher with a relative XDG_DATA_HOME: $out"

if [ "$failures" -gt 0 ]; then
  echo "$deb: $failures problems"
  exit 1
fi
echo "$deb: $programs programs, desktop entry, metainfo, icons and launcher are fine"
