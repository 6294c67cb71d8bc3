#!/usr/bin/env bash
# Times the browser edition's engine alone under node, and compares its views with another
# build's: bench/web/engine.sh SITE_DIR [BEFORE_SITE_DIR [RUNS]] (see engine-bench.js).
set -euo pipefail
if [ $# -lt 1 ] || [ $# -gt 3 ]; then
    echo "usage: $0 SITE_DIR [BEFORE_SITE_DIR [RUNS]]" >&2
    exit 2
fi
exec node "$(dirname "$0")/engine-bench.js" "$@"
