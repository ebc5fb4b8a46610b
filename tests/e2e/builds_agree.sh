#!/usr/bin/env bash
# Replays the same chat through the native plug-in and through the win64 DLL
# under wine, each in a fresh run directory seeded with the same config, and
# compares what the host saw (replies, posts, removals) and the files left in
# config/, byte for byte. The start times of votes opened during the run are
# masked: the two runs need not start in the same second.
#
#   builds_agree.sh <native-build> <win64-build> <wine-run> <sample-config> <chat>...
# Exits 77 (skipped) when the win64 build or wine is missing.
set -euo pipefail
native=$1 win64=$2 wine_run=$3 sample=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
make_run_dir=$here/../../tools/host-sim/make-run-dir.sh

if [ ! -f "$win64/host-sim.exe" ] || ! command -v wine >/dev/null; then
  echo "win64 build or wine missing: skipped"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for chat in "$@"; do
  name=$(basename "$chat" .txt)
  "$make_run_dir" "$native" "$work/native" "$sample"
  "$make_run_dir" "$win64" "$work/win64" "$sample"

  "$work/native/host-sim" "$chat" > "$work/native.out" 2>&1
  run=("$wine_run" "$work/win64/host-sim.exe" "$(winepath -w "$chat" 2>/dev/null)")
  if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then run=(xvfb-run -a "${run[@]}"); fi
  "${run[@]}" > "$work/win64.out" 2>&1
  tr -d '\r' < "$work/win64.out" > "$work/win64.lf.out"

  if ! diff -u "$work/native.out" "$work/win64.lf.out"; then
    echo "$name: the host saw different things"; status=1
  fi
  for side in native win64; do
    (cd "$work/$side/config" && find . -type f | LC_ALL=C sort | while read -r file; do
       printf '== %s\n' "$file"
       LC_ALL=C sed -E 's/^(\xca\xb1\xbc\xe4=).*/\1<start time>/' "$file" | od -An -c
     done) > "$work/$side.files"
  done
  if ! diff -u "$work/native.files" "$work/win64.files"; then
    echo "$name: the files differ"; status=1
  fi
  [ "$status" -eq 0 ] && echo "$name: both builds agree"
done
exit "$status"
