#!/usr/bin/env bash
# The meter's port is there but cannot be opened: rv7300s-cli says why and
# names the fix instead of "no meter answered".  The port of a virtual meter
# is really held by another program (flock, as a second instance would
# hold it) and really closed to the user (run as "nobody" when we are root,
# else the device's permissions taken away).
#   permission_hint_test.sh RV7300S_SIM RV7300S_CLI
set -uo pipefail
sim=${1:?usage: permission_hint_test.sh RV7300S_SIM RV7300S_CLI}
cli=${2:?usage: permission_hint_test.sh RV7300S_SIM RV7300S_CLI}
port=201
export RV7300S_PORT_DIR="$(mktemp -d)"
chmod 755 "$RV7300S_PORT_DIR"  # the stranger below must reach the port's link
out=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$RV7300S_PORT_DIR" "$out"
}
trap cleanup EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

"$sim" --model RV7361 --port-number $port </dev/null >"$out/meter" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$out/meter" ] && break; sleep 0.05; done
read -r _ device <"$out/meter" || true
[ -c "${device:-}" ] || { echo "the virtual meter did not start: $(cat "$out/meter")"; exit 1; }

# expect WHAT EXIT TEXT... -- COMMAND...: the exit status, and each TEXT in its standard error.
expect() {
  local what=$1 want=$2; shift 2
  local texts=()
  while [ "$1" != -- ]; do texts+=("$1"); shift; done
  shift
  timeout 30 "$@" >"$out/stdout" 2>"$out/stderr"
  local got=$?
  [ "$got" -eq "$want" ] || fail "$what: exit $got, expected $want: $(cat "$out/stderr")"
  for text in "${texts[@]}"; do
    grep -qF -- "$text" "$out/stderr" || fail "$what: no \"$text\" in: $(cat "$out/stderr")"
  done
}

# Held by another program, which is named.
python3 -c '
import fcntl, os, sys, time
port = os.open(sys.argv[1], os.O_RDWR | os.O_NOCTTY)
fcntl.flock(port, fcntl.LOCK_EX)
print("locked", flush=True)
time.sleep(600)' "$RV7300S_PORT_DIR/COM$port" >"$out/holder" &
holder=$!
pids+=($holder)
for _ in $(seq 100); do [ -s "$out/holder" ] && break; sleep 0.05; done
for command in "identify --port $port" identify "monitor --count 1"; do
  expect "$command, port held" 1 "($device, COM$port)" "python3 (pid $holder) is using it" -- "$cli" $command
  grep -q "no meter answered" "$out/stderr" && fail "$command, port held: still says no meter answered"
done
kill $holder
wait $holder 2>/dev/null

# Not the user's to open.
if [ "$(id -u)" -eq 0 ]; then
  as_stranger=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  chmod 000 "$device"
  as_stranger=()
fi
expect "identify, no right to the port" 1 "($device, COM$port)" "may not open it" "60-rv7300s.rules" "dialout" -- \
  "${as_stranger[@]}" "$cli" identify --port $port
[ "$(id -u)" -eq 0 ] || chmod 600 "$device"

# Free again: the meter answers; a port with no device at all is no refusal.
expect "identify, port free" 0 -- "$cli" identify --port $port
grep -q "^model: RV7361$" "$out/stdout" || fail "identify, port free: $(cat "$out/stdout")"
expect "identify, no such port" 1 "port COM9 does not exist" -- "$cli" identify --port 9

[ $failures -eq 0 ] && echo "permission hint: passed"
[ $failures -eq 0 ]
