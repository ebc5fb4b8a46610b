#!/usr/bin/env bash
# Runs profile scenario scripts through the Linux profile_replay and through
# the win64 profile_replay.exe under wine (Windows' own profile functions as
# wine implements them), each in a fresh directory, and compares what the
# reads print and the files left behind, byte for byte.
#
#   compare_profile_builds.sh NATIVE_REPLAY WIN64_REPLAY_EXE WINE_RUN SCENARIO...
#
# Exit 0 when every scenario agrees, 1 when one differs, 77 (skipped) when the
# win64 program or wine is not available.
set -u

if [ $# -lt 4 ]; then
  echo "usage: $0 NATIVE_REPLAY WIN64_REPLAY_EXE WINE_RUN SCENARIO..." >&2
  exit 2
fi
# The programs run inside the scenario directories: make their paths absolute.
absolute() { case $1 in /*) printf '%s\n' "$1" ;; *) printf '%s\n' "$PWD/$1" ;; esac; }
native=$(absolute "$1")
windows=$(absolute "$2")
wine_run=$(absolute "$3")
shift 3

if [ ! -f "$windows" ]; then
  echo "skipped: no win64 build ($windows); build the win64 preset first"
  exit 77
fi
if ! command -v wine >/dev/null 2>&1; then
  echo "skipped: wine is not installed"
  exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/profile-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Runs one build on one scenario in its own directory; the scenario starts
# without a profile file unless it creates one with "init".
run_build() {  # label scenario command...
  local dir=$work/$1 scenario=$2
  shift 2
  mkdir -p "$dir"
  cp "$scenario" "$dir/script.txt"
  (cd "$dir" && "$@" script.txt profile.ini >output.txt 2>stderr.txt)
}

failed=0
for scenario in "$@"; do
  name=$(basename "$scenario" .txt)
  rm -rf "${work:?}/native" "${work:?}/windows"
  if ! run_build native "$scenario" "$native"; then
    echo "FAIL $name: the native replay failed"
    cat "$work/native/stderr.txt"
    failed=1
    continue
  fi
  if ! run_build windows "$scenario" "$wine_run" "$windows"; then
    echo "FAIL $name: the win64 replay failed under wine"
    cat "$work/windows/stderr.txt"
    failed=1
    continue
  fi
  ok=1
  if ! diff -u --label "native/$name" --label "wine/$name" \
      "$work/native/output.txt" "$work/windows/output.txt"; then
    ok=0
  fi
  if [ -e "$work/native/profile.ini" ] || [ -e "$work/windows/profile.ini" ]; then
    if ! cmp "$work/native/profile.ini" "$work/windows/profile.ini"; then
      echo "$name: the files left behind differ"
      ok=0
    fi
  fi
  if [ $ok = 1 ]; then
    echo "ok   $name ($(wc -l <"$work/native/output.txt") reads)"
  else
    echo "FAIL $name"
    failed=1
  fi
done
exit $failed
