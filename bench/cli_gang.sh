#!/usr/bin/env bash
# korvan-cli's gang benchmark against the release build in build/: a 32 KiB image into 1, 2
# and 4 line-paced virtual chips at once; the wall times and the ratios 2/1 and 4/1.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KORVAN_BUILD:-build}
exec "$build/bin/cli-gang-bench" --cli "$build/bin/korvan-cli" "$@"
