#!/usr/bin/env bash
# korvan-cli's download benchmark against the release build in build/: a 64 KiB image into a
# line-paced virtual chip at 115200, 230400 (11.0592 MHz chip) and 460800 baud (22.1184 MHz
# chip), each timed against the protocol's own line time. --max-baud RATE times one of them;
# --runs N sets the runs per rate.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KORVAN_BUILD:-build}
exec "$build/bin/cli-download-bench" --cli "$build/bin/korvan-cli" "$@"
