#!/usr/bin/env bash
# Installs the npm package mdb-reader (the second, independent reader the comparison with
# mdbtools falls back on) into the folder given, once. Without npm the comparison says so
# and skips the values only mdb-reader can settle.
set -euo pipefail
prefix=$1
if [ -f "$prefix/node_modules/mdb-reader/package.json" ]; then
  exit 0
fi
if ! command -v npm >/dev/null || ! command -v node >/dev/null; then
  echo "install-mdb-reader: npm or node is not installed; the comparison with mdb-reader will be skipped"
  exit 0
fi
mkdir -p "$prefix"
npm install --silent --no-audit --no-fund --prefix "$prefix" mdb-reader@3
