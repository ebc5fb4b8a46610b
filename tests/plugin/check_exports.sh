#!/usr/bin/env bash
# Checks the plug-in library's export table against what the host looks up:
#   check_exports.sh <objdump> <library> windows|elf
# Windows: the module name "Tarvolo.cqp.dll" and exactly the five entries
# with their code page 936 names, undecorated, at ordinals 1 to 5; on 32-bit
# Windows each entry returns with "ret $N", popping its own N argument bytes.
# ELF: the same five names (and pump_events) as defined dynamic symbols.
set -euo pipefail
export LC_ALL=C
objdump=$1 library=$2 kind=$3

names=(info 返回数据处理 分群窗口刷新 分群管理 列表刷新)
arg_bytes=(0 4 8 20 0)
gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK; }
fail() { echo "export check: $*" >&2; exit 1; }

if [ "$kind" = windows ]; then
  table=$("$objdump" -p "$library")
  grep -qE '^Name\s+[0-9a-f]+ Tarvolo\.cqp\.dll$' <<<"$table" ||
    fail "the export table does not name the module Tarvolo.cqp.dll"
  grep -qE '^Ordinal Base\s+1$' <<<"$table" || fail "ordinal base is not 1"

  # "[Ordinal/Name Pointer] Table" lists "[ordinal - base] name".
  actual=$(awk '/^\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^$/{exit} on' <<<"$table" |
           sed -E 's/^\s*\[\s*([0-9]+)\]\s+/\1 /')
  expected=$(for i in "${!names[@]}"; do printf '%d %s\n' "$i" "$(gbk "${names[$i]}")"; done)
  if [ "$actual" != "$expected" ]; then
    echo "expected (ordinal - 1, name):"; iconv -f GBK -t UTF-8 <<<"$expected"
    echo "actual:"; iconv -f GBK -t UTF-8 -c <<<"$actual"
    fail "export names or ordinals differ"
  fi
  address_count=$(awk '/^Export Address Table -- Ordinal Base/{on=1; next} on && /^$/{exit} on' <<<"$table" | grep -c 'Export RVA' || true)
  [ "$address_count" = 5 ] || fail "the export address table holds $address_count entries, not 5"

  if grep -q 'file format pei-i386' <<<"$table"; then
    image_base=$(awk '$1 == "ImageBase" {print $2}' <<<"$table")
    for i in "${!names[@]}"; do
      rva=$(awk '/^Export Address Table -- Ordinal Base/{on=1; next} on && /^$/{exit} on' <<<"$table" |
            sed -nE "s/^\s*\[\s*$i\]\s+\+base\[\s*[0-9]+\]\s+([0-9a-f]+)\s+Export RVA$/\1/p")
      [ -n "$rva" ] || fail "no address for ${names[$i]}"
      start=$(printf '0x%x' $((0x$image_base + 0x$rva)))
      stop=$(printf '0x%x' $((0x$image_base + 0x$rva + 0x400)))
      code=$("$objdump" -d --no-show-raw-insn --start-address="$start" --stop-address="$stop" "$library")
      first_ret=$(sed -nE '/\sretl?\b/{s/.*\sretl?\s*//; s/\s+$//; p; q}' <<<"$code")
      if [ "${arg_bytes[$i]}" = 0 ]; then want=""; else want=$(printf '$0x%x' "${arg_bytes[$i]}"); fi
      [ "$first_ret" = "$want" ] ||
        fail "${names[$i]} returns with 'ret $first_ret', expected 'ret $want' (callee pops)"
    done
  fi
else
  symbols=$("$objdump" -T "$library" | awk '$2 ~ /g/ && $4 == ".text" {print $NF}')
  for name in "${names[@]}" pump_events; do
    want=$(if [ "$name" = pump_events ]; then printf pump_events; else gbk "$name"; fi)
    grep -qxF -- "$want" <<<"$symbols" || fail "missing dynamic symbol $name"
  done
fi
echo "export table ok"
