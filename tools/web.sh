#!/usr/bin/env bash
# Installs what is missing, builds the browser edition into build-web/ and serves its site on
# http://127.0.0.1:8080/ with tools/serve-site.js (TESSARO_BUILD_ONLY=1 stops after the build).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
# Debian's emscripten brings Debian's node; npm comes from Debian too when it is missing.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends nodejs npm
fi
[ -d node_modules ] || npm ci --no-audit --no-fund
# em++ links at -Os with tools written for Debian's node modules: let another node find them.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -G Ninja -DTESSARO_WEB=ON -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node);--no-experimental-fetch"
cmake --build build-web
site=build-web/site
# The music, its synthesizer and the font of the game's texts.
bash tools/make-web-extras.sh "$site"
# Last, once every file is there: the service worker that keeps them all for the next start,
# and the compressed copy of each text file and of the wasm.
node tools/finish-site.js "$site"
[ -n "${TESSARO_BUILD_ONLY:-}" ] && exit 0
# The copies sent compressed, the right types, and a cache policy by kind of file.
exec node tools/serve-site.js "$site" 8080
