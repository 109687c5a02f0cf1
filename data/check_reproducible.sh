#!/usr/bin/env bash
# The shipped database is the same file, byte for byte, whenever it is written from the
# same source: the built one and a fresh one written now must match.
set -euo pipefail
jet_sql=$1 source=$2 built=$3 epoch=$4
fresh=$(mktemp -d)/Trimwise.mdb
trap 'rm -rf "$(dirname "$fresh")"' EXIT
SOURCE_DATE_EPOCH=$epoch "$jet_sql" --create "$fresh" "$source"
if ! cmp "$built" "$fresh"; then
  echo "Trimwise.mdb differs from a fresh build of the same source"
  exit 1
fi
echo "Trimwise.mdb: $(stat -c %s "$fresh") bytes, the same on every build"
