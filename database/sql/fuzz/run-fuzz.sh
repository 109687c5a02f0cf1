#!/usr/bin/env bash
# Builds the jet-sql parser's libFuzzer target with clang (address and undefined-behaviour
# sanitizers) and runs it for a bounded time, seeded with seeds/ and the shipped database's
# script. Usage: run-fuzz.sh [SECONDS] (default 60). Fails when an input crashes the parser
# or breaks the canonical form's round trip.
set -euo pipefail
cd "$(dirname "$0")/../../.."
seconds=${1:-60}
out=build/fuzz/sql
mkdir -p "$out/corpus" "$out/artifacts" "$out/seeds"

# clang is used directly: the project's CP1252 execution charset is a GCC option.
sources=(binding column_types create_table_parser expression_parser format lexer names parser source
         sql_error token_cursor)
files=(database/sql/fuzz/parse_fuzz.cpp)
for s in "${sources[@]}"; do files+=("database/sql/$s.cpp"); done
if [ ! -x "$out/parse_fuzz" ] || [ -n "$(find "${files[@]}" database/sql/*.h -newer "$out/parse_fuzz" | head -1)" ]; then
  echo "== building the fuzzer"
  clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I. "${files[@]}" -o "$out/parse_fuzz"
fi

rm -f "$out/seeds"/*
cp database/sql/fuzz/seeds/* "$out/seeds/"
# Every 25th statement of the shipped script, one a file.
awk 'BEGIN { RS = ";\n" } NR % 25 == 1 { f = sprintf("'"$out"'/seeds/data%03d.sql", NR); printf "%s;", $0 > f; close(f) }' \
  data/Trimwise.sql

echo "== fuzzing for ${seconds} s"
if ! "$out/parse_fuzz" -max_total_time="$seconds" -max_len=1000 -timeout=10 -print_final_stats=1 \
     -dict=database/sql/fuzz/sql.dict -artifact_prefix="$out/artifacts/" "$out/corpus" "$out/seeds" \
     2>"$out/fuzz.log"; then
  tail -40 "$out/fuzz.log"
  echo "run-fuzz: an input made the parser fail:"
  ls -1 "$out/artifacts"
  exit 1
fi
grep -E "^stat::(number_of_executed_units|peak_rss_mb)" "$out/fuzz.log" || true
echo "run-fuzz: no failure in ${seconds} s"
