# Sourced by the command-line scenarios: a port folder of the scenario's
# own ($RV7300S_PORT_DIR, exported) with one virtual meter in it, both gone
# when the scenario ends.  The meter's output goes to $RV7300S_PORT_DIR/sim;
# control lines ("fault …", "input …") are written to the file descriptor
# $ctl_fd.

# make_port_folder: the folder alone, for a scenario that puts files in it
# before the meter starts (start_meter makes it otherwise).
make_port_folder() {
  RV7300S_PORT_DIR="$(mktemp -d)"
  export RV7300S_PORT_DIR
  own_port_folder=1  # never the caller's: that one is not ours to fill or remove
  trap 'kill ${sim_pid:-} 2>/dev/null; wait 2>/dev/null; rm -rf "$RV7300S_PORT_DIR"' EXIT
}

# start_meter <rv7300s-sim> <port> [rv7300s-sim options]
start_meter() {
  local program="$1" port="$2"
  shift 2
  [ -n "${own_port_folder:-}" ] || make_port_folder
  mkfifo "$RV7300S_PORT_DIR/ctl"
  "$program" --port-number "$port" "$@" <"$RV7300S_PORT_DIR/ctl" >"$RV7300S_PORT_DIR/sim" &
  sim_pid=$!
  exec {ctl_fd}>"$RV7300S_PORT_DIR/ctl"  # kept open: the meter reads control lines until the end
  # Ready once its port is there.
  for _ in $(seq 100); do
    [ -L "$RV7300S_PORT_DIR/COM$port" ] && return 0
    sleep 0.05
  done
  echo "FAIL: no virtual meter came on COM$port"
  exit 1
}
