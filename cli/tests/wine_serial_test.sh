#!/usr/bin/env bash
# The Windows command line on a Wine COM port linked to a virtual meter:
# what the Win32 serial path must do that the Linux scenarios do not ask.
# usage: wine_serial_test.sh <rv7300s-sim> <rv7300s-cli under Wine>
set -uo pipefail
sim="$1"
cli="$2"
source "$(dirname "$0")/virtual_meter.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
make_port_folder
work="$RV7300S_PORT_DIR"
start_meter "$sim" 5 --model RV7361 --serial W1 --log "$work/heard"

out="$(timeout 60 "$cli" identify --port 5)"; code=$?
[ $code -eq 0 ] || fail "identify: exit $code"
for line in "model: RV7361" "port: 5" "serial: W1"; do
  grep -qx "$line" <<<"$out" || fail "identify: no '$line' in: $out"
done

: >"$work/heard"
out="$(timeout 60 "$cli" monitor --port 5 --count 10)"; code=$?
[ $code -eq 0 ] || fail "monitor: exit $code"
[ "$(grep -cP '^\d\d:\d\d:\d\d\t1\.[45]\d+ V\t' <<<"$out")" -eq 10 ] || fail "monitor: ten readings expected: $out"
grep -qx ":FETCCNTDISP?" "$work/heard" || fail "the meter was not asked for readings"
[ "$(tail -n 1 "$work/heard")" = ":SYST:GTL" ] || fail "the meter was not handed back: $(tail -n 3 "$work/heard")"

# A COM name Windows does not know (no test registers COM99) is told as such.
err="$(timeout 60 "$cli" identify --port 99 2>&1 >/dev/null)"; code=$?
[ $code -eq 1 ] || fail "missing COM99: exit $code"
grep -qF "port COM99 does not exist" <<<"$err" || fail "missing COM99: $err"

# While the meter keeps silent the reader waits on the driver's time-outs:
# the program and Wine's server use next to no processor time.  A reader
# that spun would keep them busy (two thirds of the time, measured with
# reads that return at once).
ticks() {  # the processor time of process $1 so far, in clock ticks
  [ -n "$1" ] && awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null
}
"$cli" monitor --port 5 >"$work/lines" 2>"$work/err" &
mon=$!
for _ in $(seq 300); do [ -s "$work/lines" ] && break; sleep 0.1; done
[ -s "$work/lines" ] || fail "the monitor showed no reading"
# The Windows program is the child of the script that runs it that is not
# one of its output filters.
program="$(ps -o pid=,comm= --ppid $mon | awk '$2 != "sed" { print $1 }')"
[ -n "$program" ] || fail "no Windows program below $mon"
echo "fault noanswer" >&"$ctl_fd"
# Wine's server of this prefix (another prefix has a server of its own).
server=""
for pid in $(pgrep -x wineserver64; pgrep -x wineserver); do
  tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && server=$pid
done
[ -n "$server" ] || fail "no wineserver for $WINEPREFIX"
start=$(date +%s%N)
program_start=$(ticks "$program")
server_start=$(ticks "$server")
program_end=$program_start server_end=$server_start end=$start
while now=$(ticks "$program") && [ -n "$now" ]; do
  program_end=$now
  server_end=$(ticks "$server")
  end=$(date +%s%N)
  sleep 0.2
done
wait $mon; code=$?
[ $code -eq 1 ] || fail "silent meter: exit $code"
grep -qF "Communication Error. No response!" "$work/err" || fail "silent meter: $(cat "$work/err")"
hz=$(getconf CLK_TCK)
waited_ms=$(((end - start) / 1000000))
busy_ms=$(((${program_end:-0} - ${program_start:-0} + ${server_end:-0} - ${server_start:-0}) * 1000 / hz))
echo "silent meter: ${waited_ms} ms waited, ${busy_ms} ms of processor time (program and wineserver)"
[ "$waited_ms" -ge 1000 ] || fail "the wait was too short to judge: ${waited_ms} ms"
[ $((busy_ms * 5)) -le "$waited_ms" ] || fail "the reader spins: ${busy_ms} ms busy in ${waited_ms} ms"
echo "fault none" >&"$ctl_fd"

if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "all passed"
