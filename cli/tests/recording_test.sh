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
# What the file does not keep: each measurement's mean and spread, the over
# and the blank reading left out, and the time from first to last record.
for line in "mainMeasurement: DCV" "mainReadings: 1" "mainMean: 1.23450 V" "mainStdDev: 0.00000 V" \
            "mainMeasurement: dBm" "mainMean: -12.340 dBm" "subMeasurement: Frequency" "subMean: 50.000 Hz" \
            "duration: 00:00:03"; do
  has "$out" "$line"
done
# Readings of three ranges (123.45 mV, 1.5000 V, 2.500 V and an over one)
# counted in the coarsest range's units.
out="$(LANG=C "$cli" info "$data/ranges.vdmm")" || fail "info ranges: exit $?"
for line in "mainReadings: 3" "mainMean: 1.3745 V" "mainStdDev: 0.9743 V"; do
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
grep -qxF "File created by other program, or file corrupted." <<<"$err" || fail "no real line breaks: $err"

# What is not a file says what it is, at once: a pipe is never waited on.
refused() {  # the message expected, then the command
  local expected="$1" err code
  shift
  err="$(LANG=C timeout 10 "$@" 2>&1)"; code=$?
  [ $code -eq 1 ] || fail "$*: exit $code"
  grep -qF -- "$expected" <<<"$err" || fail "$*: $err"
}
mkfifo "$work/pipe.vdmm"
mkdir "$work/folder.csv"
refused "$work/pipe.vdmm is not a regular file" "$cli" info "$work/pipe.vdmm"
refused "$work is a folder, not a file." "$cli" info "$work"
refused "/dev/zero is not a regular file" "$cli" export /dev/zero "$work/zero.csv"
refused "$work/folder.csv is a folder, not a file." "$cli" export "$data/recording.vdmm" "$work/folder.csv"
[ -d "$work/folder.csv" ] || fail "the folder was replaced"

# Variants of the fixture with another memo (bytes on standard input).
memo_at="$(LC_ALL=C grep -obUaP '\xff\xfe\xff\x09m\x00e\x00m\x00o\x00' "$data/recording.vdmm" | cut -d: -f1)"
with_memo() { { head -c "$memo_at" "$data/recording.vdmm"; cat; tail -c +$((memo_at + 23)) "$data/recording.vdmm"; } >"$1"; }

# A 1-byte memo of 32 MiB read with less memory than its text needs: the
# archive's message, not an abort.
{ printf '\xff\xff\xff\x00\x00\x00\x02'; head -c 33554432 /dev/zero | tr '\0' m; } | with_memo "$work/long.vdmm"
err="$(ulimit -v 40000; LANG=C "$cli" info "$work/long.vdmm" 2>&1)"; code=$?
[ $code -eq 1 ] || fail "memo without room: exit $code: $err"
grep -qF "There is not enough memory to read $work/long.vdmm." <<<"$err" || fail "memo without room: $err"

# The Japanese interface on a locale without Japanese writes CP932; what a
# code page still lacks is told on standard error.
LANG=C "$cli" export "$data/recording.vdmm" "$work/ja-c.csv" --language ja 2>"$work/err" || fail "ja on C: exit $?"
has "$(iconv -f CP932 -t UTF-8 "$work/ja-c.csv" | tr -d '\r')" "レコードデータ"
[ ! -s "$work/err" ] || fail "ja on C: $(cat "$work/err")"
{ printf '\xff\xfe\xff\x07'; printf '温度 25ºF' | iconv -f UTF-8 -t UTF-16LE; } | with_memo "$work/memo.vdmm"
err="$(LANG=C "$cli" export "$work/memo.vdmm" "$work/memo-ja.csv" --language ja 2>&1)" || fail "lossy ja: exit $?"
has "$(iconv -f CP932 -t UTF-8 "$work/memo-ja.csv" | tr -d '\r')" "メモ:,温度 25?F"
grep -qF "文字コード (CP932) にない文字があり" <<<"$err" || fail "lossy ja message: $err"
has "$err" "温度 25ºF"
err="$(LANG=C "$cli" export "$work/memo.vdmm" "$work/memo-en.csv" --language en 2>&1)" || fail "lossy en: exit $?"
has "$(tr -d '\r' <"$work/memo-en.csv")" "Memo:,?? 25$(printf '\xba')F"
grep -qF "(CP1252)" <<<"$err" || fail "lossy en message: $err"

LANG=C "$cli" export "$data/recording.vdmm" "$work/x.csv" --decimal , >/dev/null 2>&1; code=$?
[ $code -eq 2 ] || fail "comma as both marks: exit $code"
LANG=C "$cli" export "$data/recording.vdmm" >/dev/null 2>&1; code=$?
[ $code -eq 2 ] || fail "usage: exit $code"

[ $failures -eq 0 ] && echo "recording_test: all passed"
exit $((failures > 0))
