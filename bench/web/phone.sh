#!/usr/bin/env bash
# Measures the browser edition on a slow phone in headless Chromium, served as tools/web.sh serves
# it: first paint, playable board and bytes before it, cold, warm and offline, against a page
# showing the same board as one picture, by turns; then Lighthouse's mobile scores of both.
# Usage: bench/web/phone.sh SITE_DIR [RUNS [BEFORE_SITE_DIR]]   (RUNS visits of each, default 5;
# TESSARO_BENCH_LIGHTHOUSE=N Lighthouse runs of each, default 1, 0 for none)
set -euo pipefail
if [ $# -lt 1 ] || [ $# -gt 3 ]; then
    echo "usage: $0 SITE_DIR [RUNS [BEFORE_SITE_DIR]]" >&2
    exit 2
fi
exec node "$(dirname "$0")/phone-bench.js" "$1" "${2:-5}" ${3:+"$3"}
