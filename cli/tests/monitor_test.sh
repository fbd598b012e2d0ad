#!/usr/bin/env bash
# rv7300s-cli monitor against rv7300s-sim.
# usage: monitor_test.sh <rv7300s-sim> <rv7300s-cli>
set -uo pipefail
sim="$1"
cli="$2"
source "$(dirname "$0")/virtual_meter.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
start_meter "$sim" 7 --model RV7341

out="$(timeout 20 "$cli" monitor --port 7 --count 3)"; code=$?
[ $code -eq 0 ] || fail "monitor: exit $code"
[ "$(wc -l <<<"$out")" -eq 3 ] || fail "expected 3 lines: $out"
grep -qP '^\d\d:\d\d:\d\d\t-?\d+\.\d+ V\t' <<<"$out" || fail "line format: $out"

# Waits until the monitor started as job $1 has written a reading to $2
# (the Windows program under Wine takes a while to start).
first_reading() {
  for _ in $(seq 100); do
    [ -s "$2" ] && return 0
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  fail "no reading came"
}

# Ctrl+C ends the connection cleanly.
rm -f "$RV7300S_PORT_DIR/lines"
timeout 20 "$cli" monitor --port 7 >"$RV7300S_PORT_DIR/lines" &
mon=$!
first_reading $mon "$RV7300S_PORT_DIR/lines"
kill -INT $mon
wait $mon; code=$?
[ $code -eq 0 ] || fail "after Ctrl+C: exit $code"

# A meter that stops answering: the English message and exit 1.
echo "fault noanswer :STAT?" >&"$ctl_fd"
sleep 0.2
err="$(timeout 20 "$cli" monitor --port 7 2>&1 >/dev/null)"; code=$?
[ $code -eq 1 ] || fail "no answer: exit $code"
grep -qF "Communication Error. No response!" <<<"$err" || fail "message: $err"

# A meter that misbehaves once mid-stream: every line still shows what
# the meter measured (a quarter of the 6 V range), and the exit is 0.
reading='^\d\d:\d\d:\d\d\t1\.[45]\d\d V\t'
for glitch in "twice :STAT?" "garbage :CONF?" "nul :FETCCNTDISP?" "overlong :SYST:BATT?"; do
  echo "fault once $glitch" >&"$ctl_fd"
  sleep 0.2
  out="$(timeout 20 "$cli" monitor --port 7 --count 6 2>&1)"; code=$?
  [ $code -eq 0 ] || fail "$glitch once: exit $code: $out"
  [ "$(grep -cP "$reading" <<<"$out")" -eq 6 ] || fail "$glitch once: lines: $out"
done

# One that goes on misbehaving: the error and exit 1, and no line with a
# reading it did not measure.  A line of dashes shows nothing (its
# function may read "----": not known either).
for fault in cmderr lag; do
  echo "fault none" >&"$ctl_fd"
  rm -f "$RV7300S_PORT_DIR/lines"
  timeout 20 "$cli" monitor --port 7 >"$RV7300S_PORT_DIR/lines" 2>"$RV7300S_PORT_DIR/err" &
  mon=$!
  first_reading $mon "$RV7300S_PORT_DIR/lines"
  echo "fault $fault" >&"$ctl_fd"
  wait $mon; code=$?
  [ $code -eq 1 ] || fail "$fault: exit $code"
  grep -qF "Communication Error. No response!" "$RV7300S_PORT_DIR/err" || fail "$fault: $(cat "$RV7300S_PORT_DIR/err")"
  bad="$(grep -vP "$reading" "$RV7300S_PORT_DIR/lines" | grep -vP '^\S+\t- \t- \t-+\t-\t-$')"
  [ -z "$bad" ] || fail "$fault: lines that are no reading: $bad"
done
echo "fault none" >&"$ctl_fd"

timeout 20 "$cli" monitor --count 0 >/dev/null 2>&1; code=$?
[ $code -eq 2 ] || fail "usage error: exit $code"

if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "all passed"
