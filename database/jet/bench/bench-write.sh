#!/usr/bin/env bash
# Inserts ROWS rows (100,000 by default) into a table of a new database and reads them back,
# printing rows per second and the file's size per row against the raw data; then runs the
# export benchmark (jet-export against mdb-export) on that file.
# Usage: bench-write.sh [ROWS]; expects build/native/bin/jet-write-bench and jet-export.
set -euo pipefail
cd "$(dirname "$0")/../../.."
tool=build/native/bin/jet-write-bench
[ -x "$tool" ] || { echo "bench-write: build the native preset first ($tool)"; exit 1; }
rows=${1:-100000}
file=$(mktemp -d)/bench-write.mdb
trap 'rm -rf "$(dirname "$file")"' EXIT
"$tool" "$file" "$rows"
if command -v mdb-export >/dev/null; then
  mdb_rows=$(mdb-export "$file" Departures | tail -n +2 | wc -l)
  echo "mdb-export reads $mdb_rows rows"
fi
database/jet/bench/bench-export.sh "$file" 2
