#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: a short fuzzing run of the
# Data.dat reader, the engine, record, replay and simulation tests under AddressSanitizer and
# UBSan, then the whole suite (widget tests on Qt's offscreen platform, so no display is needed),
# with the browser edition built by em++ and played in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen

bash tools/fuzz-datafile.sh 20

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSARO_ENGINE_ONLY=ON \
    -DTESSARO_SANITIZE=ON
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure -L 'engine|scores|replay|simulation'

TESSARO_BUILD_ONLY=1 bash tools/web.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSARO_WEB_SITE="$PWD/build-web/site"
cmake --build build
ctest --test-dir build --output-on-failure
