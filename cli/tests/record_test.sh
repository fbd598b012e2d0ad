#!/usr/bin/env bash
# rv7300s-cli record and recover against rv7300s-sim: the recording file at
# every end of a run, the journal after a kill, a pulled cable.
# usage: record_test.sh <rv7300s-sim> <rv7300s-cli>
set -uo pipefail
sim="$1"
cli="$2"
source "$(dirname "$0")/virtual_meter.sh"
export LANG=C
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
start_meter "$sim" 9 --model RV7361
work="$RV7300S_PORT_DIR"

info() { "$cli" info "$1" | sed -n "s/^$2: //p"; }
# The journal is made with the first record: the run is under way.
wait_for() {
  for _ in $(seq 100); do [ -e "$1" ] && return 0; sleep 0.1; done
  fail "$1 never came"
}
# The run's file is complete and the journal gone; "records: N" on
# standard output is what the file holds.
written() {  # name, file, its standard output
  local n
  n="$(info "$2" records)"
  [ -n "$n" ] && [ "$n" -gt 0 ] || fail "$1: no records in $2"
  [ "$3" = "records: $n" ] || fail "$1: printed '$3', the file holds $n"
  [ ! -e "$2.journal" ] || fail "$1: the journal is left"
}
seconds() { IFS=: read -r h m s <<<"$1"; echo $((10#$h * 3600 + 10#$m * 60 + 10#$s)); }

# A run to its count, with a few over readings among the others: the file,
# its CSV, and the statistics of info against the CSV's values.
timeout 60 "$cli" record "$work/count.vdmm" --port 9 --fast 1 --count 30 --csv "$work/count.csv" \
  >"$work/out" 2>"$work/err" &
pid=$!
wait_for "$work/count.vdmm.journal"
echo "input 1.5" >&"$ctl_fd"
sleep 0.5
echo "input 0.25" >&"$ctl_fd"
wait $pid; code=$?
[ $code -eq 0 ] || fail "count: exit $code: $(cat "$work/err")"
written count "$work/count.vdmm" "$(cat "$work/out")"
[ "$(info "$work/count.vdmm" records)" = 30 ] || fail "count: not 30 records"
grep -q '^records 30  last [0-9.]* V  elapsed ' "$work/err" || fail "count: status: $(cat "$work/err")"
read -r readings overs mean deviation first last < <(tr -d '\r' <"$work/count.csv" | awk -F, '
  started && $7 == "OVER" { overs++ }
  started && $7 != "OVER" { n++; sum += $5; squares += $5 * $5 }
  started { if (first == "") first = $3; last = $3 }
  /^No,/ { started = 1 }
  END { mean = sum / n; printf "%d %d %.9f %.9f %s %s\n", n, overs, mean, sqrt(squares / n - mean * mean), first, last }')
[ "$overs" -gt 0 ] || fail "statistics: the run had no over reading"
[ "$(info "$work/count.vdmm" mainReadings)" = "$readings" ] || fail "statistics: readings, CSV has $readings"
# One digit more than the readings' four: within half of it.
for name in mainMean:$mean mainStdDev:$deviation; do
  shown="$(info "$work/count.vdmm" "${name%%:*}")"
  awk -v shown="${shown% V}" -v want="${name#*:}" 'BEGIN { d = shown - want; exit !(d <= 0.0000051 && d >= -0.0000051) }' ||
    fail "statistics: ${name%%:*} $shown, the CSV gives ${name#*:}"
  [ "${shown% V}" != "$shown" ] || fail "statistics: ${name%%:*} without its unit: $shown"
done
[ "$(seconds "$(info "$work/count.vdmm" duration)")" -eq $(($(seconds "$last") - $(seconds "$first"))) ] ||
  fail "statistics: duration $(info "$work/count.vdmm" duration), the CSV runs $first-$last"

# A record time: every second for 3 s is four records, 3 s from first to last.
out="$(timeout 60 "$cli" record "$work/time.vdmm" --port 9 --interval 1 --time 00:00:03 2>"$work/err")"; code=$?
[ $code -eq 0 ] || fail "time: exit $code: $(cat "$work/err")"
written time "$work/time.vdmm" "$out"
[ "$(info "$work/time.vdmm" records)" = 4 ] || fail "time: $(info "$work/time.vdmm" records) records"
[ "$(info "$work/time.vdmm" duration)" = 00:00:03 ] || fail "time: duration $(info "$work/time.vdmm" duration)"

# Under Wine ($RV7300S_TEST_UNDER_WINE) the Windows program meets what
# Windows does not do: Wine ends it at SIGTERM, which Windows has no
# counterpart of, and lets a second program open a COM port in use.
under_wine="${RV7300S_TEST_UNDER_WINE:-}"

# Ctrl+C and SIGTERM end the run with its file; the journal of a running
# recording is not recovered behind its back.
signals="INT TERM"
[ -n "$under_wine" ] && signals=INT
for signal in $signals; do
  timeout 60 "$cli" record "$work/$signal.vdmm" --port 9 --fast 1 >"$work/out" 2>"$work/err" &
  pid=$!
  wait_for "$work/$signal.vdmm.journal"
  err="$("$cli" recover "$work/$signal.vdmm.journal" "$work/early.vdmm" 2>&1)"; code=$?
  [ $code -eq 1 ] && grep -qF "is still writing" <<<"$err" || fail "recover of a running journal: exit $code: $err"
  sleep 1
  kill -$signal $pid
  wait $pid; code=$?
  [ $code -eq 0 ] || fail "$signal: exit $code: $(cat "$work/err")"
  written "$signal" "$work/$signal.vdmm" "$(cat "$work/out")"
done
[ ! -e "$work/early.vdmm" ] || fail "recover wrote beside a running recording"

# A port another recording holds: the hint at once, and with --reconnect
# while it waits; the recording that holds it goes on undisturbed.
if [ -z "$under_wine" ]; then
  timeout 60 "$cli" record "$work/holder.vdmm" --port 9 --fast 1 >"$work/out" 2>"$work/err" &
  holder=$!
  wait_for "$work/holder.vdmm.journal"
  err="$(timeout 20 "$cli" record "$work/busy.vdmm" --port 9 2>&1)"; code=$?
  [ $code -eq 1 ] && grep -qF "is using it" <<<"$err" || fail "busy: exit $code: $err"
  timeout 60 "$cli" record "$work/busy.vdmm" --port 9 --reconnect 2>"$work/busy" >/dev/null &
  pid=$!
  for _ in $(seq 100); do grep -qF "is using it" "$work/busy" && break; sleep 0.1; done
  grep -qF "is using it" "$work/busy" || fail "busy, waiting: $(cat "$work/busy")"
  kill -INT $pid
  wait $pid; code=$?
  [ $code -eq 1 ] && [ ! -e "$work/busy.vdmm" ] || fail "busy, waiting: exit $code after Ctrl+C"
  kill -INT $holder
  wait $holder; code=$?
  [ $code -eq 0 ] || fail "holder: exit $code: $(cat "$work/err")"
  written holder "$work/holder.vdmm" "$(cat "$work/out")"
fi

# kill -9: the journal holds the records up to its last write, at most a
# second before the kill.  The plain status line comes every 5 s.
"$cli" record "$work/killed.vdmm" --port 9 --fast 1 >/dev/null 2>"$work/err" &
pid=$!
for _ in $(seq 300); do [ "$(grep -c '^records' "$work/err")" -ge 2 ] && break; sleep 0.1; done
seen="$(grep '^records' "$work/err" | tail -1 | cut -d' ' -f2)"
# (Under Wine $pid is the script that runs the program: its children go too.)
{ pkill -KILL -P $pid; kill -KILL $pid; wait $pid; } 2>/dev/null
[ "${seen:-0}" -gt 0 ] || fail "kill: no status line with records: $(cat "$work/err")"
out="$("$cli" recover "$work/killed.vdmm.journal" 2>"$work/err")"; code=$?
[ $code -eq 0 ] || fail "recover: exit $code: $(cat "$work/err")"
recovered="$(info "$work/killed.vdmm" records)"
[ "$out" = "records: $recovered" ] || fail "recover printed '$out', the file holds $recovered"
[ "${recovered:-0}" -ge $((seen - 12)) ] || fail "recover: $recovered records, $seen seen before the kill"
[ -s "$work/killed.vdmm.journal" ] || fail "recover removed the journal"

# A torn last block: the blocks before it, and how many records it held.
cp "$work/killed.vdmm.journal" "$work/torn.journal"
truncate -s -30 "$work/torn.journal"
out="$("$cli" recover "$work/torn.journal" 2>"$work/err")"; code=$?
[ $code -eq 0 ] || fail "torn: exit $code: $(cat "$work/err")"
dropped="$(sed -n 's/.* is damaged: the \([0-9]*\) records after the damage are lost$/\1/p' "$work/err")"
[ "${dropped:-0}" -gt 0 ] || fail "torn: $(cat "$work/err")"
[ "$out" = "records: $((recovered - ${dropped:-0}))" ] || fail "torn: '$out' with $dropped dropped of $recovered"
[ "$(info "$work/torn" records)" = "${out#records: }" ] || fail "torn: the file holds $(info "$work/torn" records)"

# What recover refuses: no journal, a file that is there, no name to write.
refused() {  # exit code, message, arguments
  local want="$1" message="$2" err code
  shift 2
  err="$("$cli" recover "$@" 2>&1)"; code=$?
  [ $code -eq "$want" ] && grep -qF -- "$message" <<<"$err" || fail "recover $*: exit $code: $err"
}
refused 1 "is no recording journal" "$work/sim" "$work/other.vdmm"
refused 1 "exists; recover writes a new file only" "$work/killed.vdmm.journal"
refused 1 "was not found" "$work/none.journal"
refused 2 "give the file to write" "$work/sim"
refused 2 "usage" a b c
[ ! -e "$work/other.vdmm" ] || fail "recover wrote a file from what is no journal"

# The cable pulled without --reconnect: the error, the file of what was
# recorded, exit 1.
timeout 60 "$cli" record "$work/lost.vdmm" --port 9 --fast 1 >"$work/out" 2>"$work/err" &
pid=$!
wait_for "$work/lost.vdmm.journal"
sleep 1
echo hangup >&"$ctl_fd"
wait $pid; code=$?
[ $code -eq 1 ] || fail "lost: exit $code"
grep -qF "Communication Error" "$work/err" || fail "lost: $(cat "$work/err")"
written lost "$work/lost.vdmm" "$(cat "$work/out")"
echo plugin >&"$ctl_fd"
for _ in $(seq 50); do [ "$(wc -l <"$work/sim")" -ge 2 ] && break; sleep 0.1; done

# With --reconnect the run waits for the meter and goes on to its count in
# the same file: the records on both sides of the gap.
timeout 60 "$cli" record "$work/pulled.vdmm" --port 9 --fast 1 --count 60 --reconnect --csv "$work/pulled.csv" \
  >"$work/out" 2>"$work/err" &
pid=$!
wait_for "$work/pulled.vdmm.journal"
sleep 1
echo hangup >&"$ctl_fd"
sleep 2
echo plugin >&"$ctl_fd"
wait $pid; code=$?
[ $code -eq 0 ] || fail "reconnect: exit $code: $(cat "$work/err")"
grep -qF "waiting for it to answer again" "$work/err" || fail "reconnect: $(cat "$work/err")"
written reconnect "$work/pulled.vdmm" "$(cat "$work/out")"
[ "$(info "$work/pulled.vdmm" records)" = 60 ] || fail "reconnect: $(info "$work/pulled.vdmm" records) records"
gap="$(tr -d '\r' <"$work/pulled.csv" | awk -F, '
  started { split($3, t, ":"); s = t[1] * 3600 + t[2] * 60 + t[3]; if (n++ && s - last > gap) gap = s - last; last = s }
  /^No,/ { started = 1 }
  END { print gap + 0 }')"
[ "$gap" -ge 2 ] || fail "reconnect: no gap of the pulled cable in the records (largest $gap s)"

# No meter, a file that is there, a journal left behind: nothing is
# written, nothing is lost.  Usage errors touch no file.
err="$(timeout 60 "$cli" record "$work/none.vdmm" --port 200 2>&1)"; code=$?
[ $code -eq 1 ] && grep -qF "no meter answered" <<<"$err" || fail "no meter: exit $code: $err"
[ ! -e "$work/none.vdmm" ] || fail "no meter: a file was written"
cp "$work/count.vdmm" "$work/kept.vdmm"
err="$(timeout 20 "$cli" record "$work/count.vdmm" --port 9 2>&1)"; code=$?
[ $code -eq 1 ] && grep -qF "exists" <<<"$err" || fail "existing file: exit $code: $err"
cmp -s "$work/count.vdmm" "$work/kept.vdmm" || fail "existing file: changed"
cp "$work/killed.vdmm.journal" "$work/left.vdmm.journal"
err="$(timeout 20 "$cli" record "$work/left.vdmm" --port 9 2>&1)"; code=$?
[ $code -eq 1 ] && grep -qF "recover $work/left.vdmm.journal" <<<"$err" || fail "left journal: exit $code: $err"
cmp -s "$work/killed.vdmm.journal" "$work/left.vdmm.journal" || fail "left journal: changed"

for bad in "" "--port 9" "x.vdmm --fast 1 --interval 2" "x.vdmm --count 5 --time 00:00:05" \
           "x.vdmm --fast 2 --time 00:00:10" "x.vdmm --interval 10 --time 00:00:05" "x.vdmm --count 0" \
           "x.vdmm --port 0" "x.vdmm --time 1:2" "x.vdmm --fast 10" "x.vdmm y.vdmm" "x.vdmm --csv"; do
  timeout 20 "$cli" record $bad >/dev/null 2>&1; code=$?
  [ $code -eq 2 ] || fail "usage '$bad': exit $code"
done

if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "all passed"
