#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs of it.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "install check: $*" >&2; exit 1; }
[ -x "$prefix/bin/tessaro" ] || fail "no bin/tessaro"
[ -s "$prefix/bin/r07.mid" ] || fail "r07.mid is not beside the game"
[ -n "$(find "$prefix" -path '*/tessaro/tessaro-music.so' -size +0)" ] ||
    fail "no music module in the game's private library folder"
desktop-file-validate "$prefix/share/applications/org.tessaro.Tessaro.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.tessaro.Tessaro.metainfo.xml" >/dev/null ||
    fail "AppStream metainfo does not validate"
for size in 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/org.tessaro.Tessaro.png"
    [ -s "$icon" ] || fail "no ${size}x${size} icon"
done
[ -s "$prefix/share/icons/hicolor/scalable/apps/org.tessaro.Tessaro.svg" ] || fail "no scalable icon"
echo "install check: all in place under a scratch prefix"
