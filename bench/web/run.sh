#!/usr/bin/env bash
# Measures the browser edition in headless Chromium, served as tools/web.sh serves it (compressed
# copies, types, cache headers): what the page transfers before its board can be played, the
# time to a playable board against a page showing the same board as one picture, the sizes of
# its scripts and wasm, and how soon the music sounds after the first "play".
# Usage: bench/web/run.sh SITE_DIR [RUNS [BEFORE_SITE_DIR]]   (RUNS of each page by turns,
# default 15; BEFORE_SITE_DIR, another build of the site, is timed by turns with the others)
set -euo pipefail
if [ $# -lt 1 ] || [ $# -gt 3 ]; then
    echo "usage: $0 SITE_DIR [RUNS [BEFORE_SITE_DIR]]" >&2
    exit 2
fi
exec node "$(dirname "$0")/page-bench.js" "$1" "${2:-15}" ${3:+"$3"}
