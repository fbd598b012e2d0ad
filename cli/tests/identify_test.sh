#!/usr/bin/env bash
# rv7300s-sim and rv7300s-cli together, as a user runs them.
# usage: identify_test.sh <rv7300s-sim> <rv7300s-cli>
set -uo pipefail
sim="$1"
cli="$2"
export RV7300S_PORT_DIR="$(mktemp -d)"
failures=0
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$RV7300S_PORT_DIR"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Starts a virtual meter with control lines read from fifo $RV7300S_PORT_DIR/ctl<port>.
start_meter() {  # port model [more options]
  local port=$1 model=$2; shift 2
  local ctl="$RV7300S_PORT_DIR/ctl$port"
  mkfifo "$ctl"
  "$sim" --model "$model" --port-number "$port" "$@" <"$ctl" >"$RV7300S_PORT_DIR/out$port" &
  pids+=($!)
  exec {fd}>"$ctl"  # keep the control line open
  eval "ctl_fd_$port=$fd"
  for _ in $(seq 50); do [ -s "$RV7300S_PORT_DIR/out$port" ] && return 0; sleep 0.05; done
  fail "meter $model on COM$port did not start"
}

expect_exit() {  # expected-code description command...
  local want=$1 what=$2; shift 2
  timeout 20 "$@" >"$RV7300S_PORT_DIR/stdout" 2>"$RV7300S_PORT_DIR/stderr"
  local got=$?
  [ "$got" -eq "$want" ] || fail "$what: exit $got, expected $want ($(cat "$RV7300S_PORT_DIR/stderr"))"
}

# No meter anywhere.
expect_exit 1 "identify without meters" "$cli" identify
grep -q "no meter" "$RV7300S_PORT_DIR/stderr" || fail "no-meter message missing"
expect_exit 0 "ports without any" "$cli" ports
[ -s "$RV7300S_PORT_DIR/stdout" ] && fail "ports without any listed: $(cat "$RV7300S_PORT_DIR/stdout")"
grep -qx "rv7300s-cli: no serial ports found" "$RV7300S_PORT_DIR/stderr" || fail "ports without any said: $(cat "$RV7300S_PORT_DIR/stderr")"
expect_exit 0 "ports --json without any" "$cli" ports --json
[ "$(cat "$RV7300S_PORT_DIR/stdout")" = "[]" ] || fail "ports --json without any: $(cat "$RV7300S_PORT_DIR/stdout")"

# A port number with no device behind it is told as such, not as a silent
# meter: no adapter, and a virtual meter's link whose server has gone.
ln -s "$RV7300S_PORT_DIR/gone" "$RV7300S_PORT_DIR/COM12"
for port in 9 12; do
  expect_exit 1 "identify on missing COM$port" "$cli" identify --port $port
  grep -qF "port COM$port does not exist" "$RV7300S_PORT_DIR/stderr" || fail "missing COM$port: $(cat "$RV7300S_PORT_DIR/stderr")"
done
rm "$RV7300S_PORT_DIR/COM12"

# Usage errors.
expect_exit 2 "no command" "$cli"
expect_exit 2 "unknown command" "$cli" frobnicate
expect_exit 2 "bad speed" "$cli" identify --speed 4800
expect_exit 2 "bad port" "$cli" identify --port 257
expect_exit 2 "missing value" "$cli" identify --port
expect_exit 2 "sim usage" "$sim" --port-number 0

# Every model, each on its own port, found by a scan and by a direct probe.
models=(RV7321 RV7322 RV7323 RV7324 RV7325 RV7326 RV7341 RV734X RV7361 RV7362)
for i in "${!models[@]}"; do
  port=$((210 + i)); model=${models[$i]}
  start_meter $port "$model" --serial "S$i" --firmware "1.0$i" --speed 9600
  expect_exit 0 "identify $model" "$cli" identify --port $port
  out="$(cat "$RV7300S_PORT_DIR/stdout")"
  for line in "model: $model" "model-index: $i" "port: $port" "speed: 9600" "serial: S$i" "firmware: 1.0$i"; do
    grep -qx "$line" <<<"$out" || fail "$model: missing '$line' in: $out"
  done
done

expect_exit 0 "ports" "$cli" ports
[ "$(grep -c 'Virtual meter' "$RV7300S_PORT_DIR/stdout")" -eq 10 ] || fail "ports does not list ten meters"
grep -q "^219	Virtual meter (COM219)	$RV7300S_PORT_DIR/COM219$" "$RV7300S_PORT_DIR/stdout" || fail "ports line format"

expect_exit 0 "scan" "$cli" identify
grep -q "^model: RV73" "$RV7300S_PORT_DIR/stdout" || fail "scan found no model"

# A meter that hangs up in the middle of identification: no meter, no hang.
start_meter 230 RV7361
fd_var=ctl_fd_230
echo "fault hangup *IDN?" >&"${!fd_var}"
sleep 0.2
expect_exit 1 "hang-up during identify" "$cli" identify --port 230
[ -e "$RV7300S_PORT_DIR/COM230" ] && fail "the hung-up port is still registered"
echo "fault none" >&"${!fd_var}"
echo "plugin" >&"${!fd_var}"
sleep 0.2
expect_exit 0 "identify after plug-in" "$cli" identify --port 230

# The link disappears when the server ends.
kill "${pids[0]}"; wait "${pids[0]}" 2>/dev/null
[ -e "$RV7300S_PORT_DIR/COM210" ] && fail "COM210 left behind after SIGTERM"

if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "all passed"
