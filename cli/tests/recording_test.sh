#!/usr/bin/env bash
# rv7300s-cli info and export on a recording file made by an independent generator.
# usage: recording_test.sh <rv7300s-cli> <fixture folder>
set -uo pipefail
cli="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
has() { grep -qxF -- "$2" <<<"$1" || fail "missing '$2' in: $1"; }

out="$(LANG=C "$cli" info "$data/recording.vdmm")" || fail "info: exit $?"
for line in "model: RV7361" "serial: 23120815" "firmware: 1.04" "records: 4" "runRecords: 4" \
            "start: 2026/12/10,12:00:00" "stop: 2026/12/10,12:00:03" "mainMax: 1.2345 V" "interval: 1s" \
            "memo: memo; one"; do
  has "$out" "$line"
done

# The file's own settings, with the decimal mark and separator overridden.
LANG=C "$cli" export "$data/recording.vdmm" "$work/en.csv" --language en --decimal , --separator ';' ||
  fail "export: exit $?"
csv="$(tr -d '\r' <"$work/en.csv")"
has "$csv" 'Memo:;"memo; one"'
has "$csv" "Buffer:;4"
has "$csv" "1;2026/12/10;12:00:00;DCV;1,2345;V;;;;;;;;SLOW"
has "$csv" "2;2026/12/10;12:00:01;dBm;-12,34;dBm;;Frequency;50,00;Hz;;;;SLOW;Standard Impedance 600Ohm"
has "$csv" "3;2026/12/10;12:00:02;DCV;6,0000;V;OVER;;;;;;;SLOW"
[ "$(grep -c $'\r$' "$work/en.csv")" -eq "$(wc -l <"$work/en.csv")" ] || fail "every line ends in CR LF"

# Japanese words in the legacy code page of a Japanese locale.
LANG=ja_JP.UTF-8 "$cli" export "$data/recording.vdmm" "$work/ja.csv" --language ja --time relative ||
  fail "Japanese export: exit $?"
ja="$(iconv -f CP932 -t UTF-8 "$work/ja.csv" | tr -d '\r')" || fail "not CP932"
has "$ja" "2,,00:00:01,dBm,-12.34,dBm,,周波数,50.00,Hz,,,,SLOW,基準インピーダンス 600Ω"
has "$ja" "基準時間:,2026/12/10,12:00:00"

# A damaged file: the archive's message, exit 1; nothing written.
head -c 300 "$data/recording.vdmm" >"$work/cut.vdmm"
err="$(LANG=C "$cli" export "$work/cut.vdmm" "$work/cut.csv" 2>&1)"; code=$?
[ $code -eq 1 ] || fail "cut file: exit $code"
grep -qF "past its end" <<<"$err" || fail "cut file message: $err"
[ ! -e "$work/cut.csv" ] || fail "a CSV was written from a damaged file"
printf 'not a recording' >"$work/other.vdmm"
err="$(LANG=C "$cli" info "$work/other.vdmm" 2>&1)"; code=$?
[ $code -eq 1 ] || fail "other file: exit $code"
grep -qF "Incorrect file format." <<<"$err" || fail "other file message: $err"

LANG=C "$cli" export "$data/recording.vdmm" "$work/x.csv" --decimal , >/dev/null 2>&1; code=$?
[ $code -eq 2 ] || fail "comma as both marks: exit $code"
LANG=C "$cli" export "$data/recording.vdmm" >/dev/null 2>&1; code=$?
[ $code -eq 2 ] || fail "usage: exit $code"

[ $failures -eq 0 ] && echo "recording_test: all passed"
exit $((failures > 0))
