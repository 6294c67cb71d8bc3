#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs of it.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "install check: $*" >&2; exit 1; }
[ -x "$prefix/games/tessaro" ] || fail "no games/tessaro"
[ -s "$prefix/share/games/tessaro/r07.mid" ] || fail "no share/games/tessaro/r07.mid"
[ ! -e "$prefix/bin" ] || fail "something installed in bin/: $(ls "$prefix/bin")"
[ ! -e "$prefix/games/r07.mid" ] || fail "r07.mid installed beside the program"
[ ! -e "$prefix/games/tessaro-replay" ] || fail "the replay driver is installed"
[ -s "$prefix/share/man/man6/tessaro.6" ] || fail "no manual page"
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
