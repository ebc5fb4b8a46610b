#!/usr/bin/env bash
# Makes a fresh run directory for the host simulator: the simulator, the
# plug-in and the host API library from a build directory, and a config
# directory seeded from a sample config kept in UTF-8 with LF line ends
# (converted to the host's code page 936 and CR LF).
#
#   make-run-dir.sh <build-dir> <run-dir> [<sample-config-dir>]
set -euo pipefail
build=$1 run=$2 sample=${3:-}

rm -rf "$run"
mkdir -p "$run/config"
if [ -f "$build/host-sim.exe" ]; then
  cp "$build/host-sim.exe" "$build/Tarvolo.cqp.dll" "$build/cqapi.dll" "$run/"
else
  cp "$build/host-sim" "$build/Tarvolo.cqp.so" "$build/libcqapi.so" "$run/"
fi
if [ -n "$sample" ]; then
  for file in "$sample"/*; do
    sed 's/$/\r/' "$file" | iconv -f UTF-8 -t GBK > "$run/config/$(basename "$file")"
  done
fi
