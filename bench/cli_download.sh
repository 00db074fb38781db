#!/usr/bin/env bash
# korvan-cli's download benchmark against the release build in build/: a 64 KiB image at
# 115200 baud into a line-paced virtual chip, timed against the protocol's own line time.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KORVAN_BUILD:-build}
exec "$build/bin/cli-download-bench" --cli "$build/bin/korvan-cli" "$@"
