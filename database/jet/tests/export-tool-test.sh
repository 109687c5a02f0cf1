#!/usr/bin/env bash
# jet-export's command line: its outputs, its exit statuses and its messages.
set -uo pipefail
tool=$1
fixtures=$2
failures=0
check() {  # description, expected status, command...
  local what=$1 expected=$2
  shift 2
  "$@" >"$out" 2>"$err"
  local status=$?
  if [ "$status" != "$expected" ]; then
    echo "FAIL: $what: status $status, expected $expected"; cat "$err"; failures=$((failures + 1))
  fi
}
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

check "--tables" 0 "$tool" --tables "$fixtures/testV2000.mdb"
[ "$(cat "$out")" = $'Table1\nTable2\nTable3\nTable4' ] || { echo "FAIL: --tables printed: $(cat "$out")"; failures=$((failures + 1)); }

check "a table" 0 "$tool" "$fixtures/delTestV2000.mdb" table
[ "$(cat "$out")" = $'a,b\n"z","y"\n"v","u"' ] || { echo "FAIL: export printed: $(cat "$out")"; failures=$((failures + 1)); }

check "no arguments" 2 "$tool"
grep -q "usage: jet-export FILE TABLE" "$err" || { echo "FAIL: no usage text"; failures=$((failures + 1)); }
check "an unknown option" 2 "$tool" --bogus "$fixtures/testV2000.mdb"

check "a missing file" 1 "$tool" "$fixtures/none.mdb" Table1
grep -q "^jet-export: .*none.mdb: the file cannot be opened$" "$err" || { echo "FAIL: missing file said: $(cat "$err")"; failures=$((failures + 1)); }
[ ! -s "$out" ] || { echo "FAIL: output for a missing file"; failures=$((failures + 1)); }

check "an unknown table" 1 "$tool" "$fixtures/testV2000.mdb" Table9
grep -q "the database has no table Table9" "$err" || { echo "FAIL: unknown table said: $(cat "$err")"; failures=$((failures + 1)); }

check "an Access 97 file" 1 "$tool" --tables "$fixtures/testV1997.mdb"
grep -q "Access 97 (Jet 3)" "$err" || { echo "FAIL: Jet 3 said: $(cat "$err")"; failures=$((failures + 1)); }

[ "$failures" = 0 ] && echo "jet-export: all checks passed"
exit $((failures > 0))
