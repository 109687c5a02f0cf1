#!/usr/bin/env bash
# Builds the reader's libFuzzer target with clang (address and undefined-behaviour
# sanitizers) and runs it for a bounded time, seeded with the fixtures and every input kept
# in tests/crashes. Usage: run-fuzz.sh [SECONDS] (default 60). Fails when an input crashes;
# keep that input in database/jet/tests/crashes/.
set -euo pipefail
cd "$(dirname "$0")/../../.."
seconds=${1:-60}
out=build/fuzz
mkdir -p "$out/corpus" "$out/artifacts" "$out/seeds"

# clang is used directly: the project's CP1252 execution charset is a GCC option.
sources=(database/jet/*.cpp database/jet/tests/read_everything.cpp database/jet/tests/fuzz/jet_fuzz.cpp)
if [ ! -x "$out/jet_fuzz" ] || [ -n "$(find "${sources[@]}" database/jet/*.h -newer "$out/jet_fuzz" | head -1)" ]; then
  echo "== building the fuzzer"
  clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I. "${sources[@]}" -o "$out/jet_fuzz"
fi

# The smaller fixtures; the largest would slow every mutation down.
rm -f "$out/seeds"/*
for f in database/jet/tests/fixtures/*.mdb; do
  [ "$(stat -c %s "$f")" -le 300000 ] && cp "$f" "$out/seeds/"
done
find database/jet/tests/crashes -type f ! -name README.md -exec cp {} "$out/seeds/" \;

echo "== fuzzing for ${seconds} s"
if ! "$out/jet_fuzz" -max_total_time="$seconds" -max_len=300000 -timeout=20 -rss_limit_mb=2048 \
     -print_final_stats=1 -artifact_prefix="$out/artifacts/" "$out/corpus" "$out/seeds" 2>"$out/fuzz.log"; then
  tail -60 "$out/fuzz.log"
  echo "run-fuzz: an input made the reader fail; keep it:"
  ls -1 "$out/artifacts"
  echo "  cp $out/artifacts/<file> database/jet/tests/crashes/<what-it-broke>"
  exit 1
fi
grep -E "^stat::(number_of_executed_units|peak_rss_mb)" "$out/fuzz.log" || true
echo "run-fuzz: no failure in ${seconds} s"
