#!/usr/bin/env bash
# Builds the win64 configuration's link benchmark and runs it under Wine; it
# starts the simulator stand-in itself and prints its figures.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target simlink_bench simstandin >/dev/null
source scripts/wine-env.sh
wine_start
"$WINE64" build/win64/bin/simlink_bench.exe
