#!/usr/bin/env bash
# Times the program's statements on a generated route database (100,000 routes among 2,000
# origins by default). Usage: bench-route.sh [ROUTES] [ORIGINS]; expects the native build.
set -euo pipefail
cd "$(dirname "$0")/../../.."
tool=build/native/bin/route-bench
[ -x "$tool" ] || { echo "bench-route: build the native preset first ($tool)"; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$tool" "$dir/routes.mdb" "${1:-100000}" "${2:-2000}"
