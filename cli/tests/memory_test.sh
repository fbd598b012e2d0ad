#!/usr/bin/env bash
# rv7300s-cli memory against rv7300s-sim.
# usage: memory_test.sh <rv7300s-sim> <rv7300s-cli>
set -uo pipefail
sim="$1"
cli="$2"
source "$(dirname "$0")/virtual_meter.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
has() { grep -qxF -- "$2" <<<"$1" || fail "missing '$2' in: $1"; }
start_meter "$sim" 7 --model RV7362 --serial 23120815
work="$RV7300S_PORT_DIR/work"
mkdir "$work"
control() { echo "$1" >&"$ctl_fd"; sleep 0.3; }

# Five readings of the power-on state (DC volts, 6 V range) in memories 1-5.
control "memory fill 5"
err="$(LANG=C timeout 30 "$cli" memory "$work/five.csv" --port 7 2>&1 >/dev/null)"; code=$?
[ $code -eq 0 ] || fail "download: exit $code: $err"
grep -qxF "5 / 5, 0 sec remaining" <<<"$err" || fail "progress: $err"
grep -qF "Completed reading data from DMM." <<<"$err" || fail "completion: $err"
csv="$(tr -d '\r' <"$work/five.csv")"
[ "$(wc -l <<<"$csv")" -eq 13 ] || fail "8 header lines and 5 records: $csv"
has "$csv" "Memory Data"
has "$csv" "Model:,VORNEK,RV7362,Ver 1.04"
has "$csv" "S/N:,23120815"
grep -qE '^Date:,[0-9]{4}/[0-9]{1,2}/[0-9]{1,2}$' <<<"$csv" || fail "date: $csv"
grep -qE '^3,DCV,1\.[0-9]{4},V,,,,,,,,,$' <<<"$csv" || fail "record 3: $csv"
[ "$(grep -c $'\r$' "$work/five.csv")" -eq "$(wc -l <"$work/five.csv")" ] || fail "every line ends in CR LF"

LANG=C timeout 30 "$cli" memory "$work/comma.csv" --port 7 --decimal , --separator ';' 2>/dev/null ||
  fail "comma download: exit $?"
grep -qE $'^5;DCV;1,[0-9]{4};V;;;;;;;;;\r$' "$work/comma.csv" || fail "comma and semicolon: $(cat "$work/comma.csv")"

LANG=ja_JP.UTF-8 timeout 30 "$cli" memory "$work/ja.csv" --port 7 --language ja 2>/dev/null ||
  fail "Japanese download: exit $?"
ja="$(iconv -f CP932 -t UTF-8 "$work/ja.csv" | tr -d '\r')" || fail "not CP932"
has "$ja" "メモリデータ"
has "$ja" "モデル:,VORNEK,RV7362,Ver 1.04"

# The reply for memory 3 stops half-way: what came before is kept, exit 1.
control "memory fail 3"
err="$(LANG=C timeout 30 "$cli" memory "$work/cut.csv" --port 7 2>&1 >/dev/null)"; code=$?
[ $code -eq 1 ] || fail "cut short: exit $code"
grep -qF "Reading data Error. Can not read all data." <<<"$err" || fail "cut short message: $err"
cut="$(tr -d '\r' <"$work/cut.csv")"
[ "$(grep -cE '^[0-9]+,DCV,' <<<"$cut")" -eq 2 ] || fail "memories 1 and 2 kept: $cut"
control "fault none"

err="$(LANG=C timeout 30 "$cli" memory "$work/missing/x.csv" --port 7 2>&1 >/dev/null)"; code=$?
[ $code -eq 1 ] || fail "uncreatable: exit $code"
grep -qF "Can not open x.csv." <<<"$err" || fail "uncreatable message: $err"

control "memory clear"
err="$(LANG=C timeout 30 "$cli" memory "$work/empty.csv" --port 7 2>&1 >/dev/null)"; code=$?
[ $code -eq 0 ] || fail "empty memory: exit $code"
grep -qF "Data has not been saved." <<<"$err" || fail "empty memory message: $err"
[ ! -e "$work/empty.csv" ] || fail "a file for an empty memory"

# Memory 9 alone: one line.
control "memory store 9"
LANG=C timeout 30 "$cli" memory "$work/nine.csv" --port 7 2>/dev/null || fail "memory 9: exit $?"
[ "$(tail -n +9 "$work/nine.csv" | tr -d '\r' | cut -d, -f1-2)" = "9,DCV" ] || fail "memory 9: $(cat "$work/nine.csv")"

LANG=C timeout 30 "$cli" memory "$work/none.csv" --port 9 >/dev/null 2>&1; [ $? -eq 1 ] || fail "no meter: exit"
LANG=C "$cli" memory >/dev/null 2>&1; [ $? -eq 2 ] || fail "usage: no file"
LANG=C "$cli" memory "$work/x.csv" --decimal , >/dev/null 2>&1; [ $? -eq 2 ] || fail "usage: comma twice"
LANG=C "$cli" memory "$work/x.csv" --speed 9600 >/dev/null 2>&1; [ $? -eq 2 ] || fail "usage: unknown option"

[ $failures -eq 0 ] && echo "memory_test: all passed"
exit $((failures > 0))
