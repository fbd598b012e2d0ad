#!/usr/bin/env bash
# Runs the Windows rv7300s-cli.exe under Wine as the Linux tests run
# rv7300s-cli: the virtual meters' ports in $RV7300S_PORT_DIR become Wine's
# COM ports first.  Wine makes a COM port of each value of its registry key
# Ports when it starts (a device then, with its DOS name, as on Windows),
# so a port new to the prefix restarts Wine's server (and ends what runs in
# the prefix: the tests start their meters before their programs).  A port
# stays registered after its meter has gone, as an adapter's port that
# Windows remembers.  The program's lines end in CR LF, as on Windows; they
# reach the tests as Linux lines through filters that ignore the signals
# sent to the process group, and this script ends only after the filters
# have written the last line.  Ctrl+C and SIGTERM sent to this script are
# passed on to the program.
# usage: wine_cli.sh <rv7300s-cli.exe> ARGUMENTS...
set -euo pipefail
program="$1"
shift
registered="${WINEPREFIX:?the Wine prefix to use}/rv7300s-ports"  # "COMn path" lines given to Wine
changed=""
touch "$registered"
if [ -n "${RV7300S_PORT_DIR:-}" ]; then
  for link in "$RV7300S_PORT_DIR"/COM*; do
    [ -L "$link" ] || continue
    port="${link##*/}"
    grep -qxF "$port $link" "$registered" && continue
    wine reg add 'HKLM\Software\Wine\Ports' /v "$port" /d "$link" /f >/dev/null
    { grep -v "^$port " "$registered" || true; echo "$port $link"; } >"$registered.new"
    mv "$registered.new" "$registered"
    changed=1
  done
fi
if [ -n "$changed" ]; then wineserver -k || true; fi
exec 3> >(trap '' INT TERM HUP; exec sed -u 's/\r$//')
out_filter=$!
exec 4> >(trap '' INT TERM HUP; exec sed -u 's/\r$//' >&2)
err_filter=$!
wine "$program" "$@" >&3 2>&4 3>&- 4>&- &
running=$!
exec 3>&- 4>&-  # the program alone writes to the filters now
trap 'kill -INT $running 2>/dev/null' INT
trap 'kill -TERM $running 2>/dev/null' TERM
while :; do
  wait $running && status=0 || status=$?
  kill -0 $running 2>/dev/null || break  # else a trapped signal ended the wait
done
while kill -0 $out_filter 2>/dev/null || kill -0 $err_filter 2>/dev/null; do sleep 0.01; done
exit $status
