#!/usr/bin/env bash
# rv7300s-cli --json for scripts: ports, identify and monitor against the
# virtual meter, info on the recording fixtures; every output parsed by
# Python's json, texts compared after the round trip.
# usage: json_test.sh <rv7300s-sim> <rv7300s-cli> <fixture folder>
set -uo pipefail
sim="$1"
cli="$2"
data="$3"
source "$(dirname "$0")/virtual_meter.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A serial number with what JSON must escape, a byte that is no UTF-8
# (shown as U+FFFD) and a character that is.
serial=$'Q"7\\x\xff\xc3\xa9'
start_meter "$sim" 7 --model RV7341 --serial "$serial"
work="$RV7300S_PORT_DIR/work"
mkdir "$work"

# check WHAT FILE value|lines PYTHON: FILE parsed as one JSON value
# (`value`) or as one JSON value a line (`lines`), then PYTHON's asserts.
check() {
  local what=$1 file=$2 shape=$3 program=$4
  python3 - "$file" "$shape" <<EOF_PY || fail "$what: $(cat "$file")"
import json, sys
text = open(sys.argv[1], encoding="utf-8").read()
if sys.argv[2] == "value":
    value = json.loads(text)
else:
    lines = [json.loads(line) for line in text.splitlines()]
$program
EOF_PY
}

timeout 20 "$cli" ports --json >"$work/ports" || fail "ports --json: exit $?"
check "ports" "$work/ports" value '
assert value == [{"port": 7, "name": "Virtual meter (COM7)", "device": "'"$RV7300S_PORT_DIR"'/COM7"}], value'

timeout 20 "$cli" identify --port 7 --json >"$work/identify" || fail "identify --json: exit $?"
check "identify" "$work/identify" value '
assert value == {"model": "RV7341", "modelIndex": 6, "port": 7, "speed": 19200,
                 "serial": "Q\"7\\x\ufffd\u00e9", "firmware": "1.04", "firmwareSupported": True}, value'

# One object a line, each the reading of a quarter of the 6 V range.
timeout 20 "$cli" monitor --port 7 --count 3 --json >"$work/monitor" || fail "monitor --json: exit $?"
check "monitor" "$work/monitor" lines '
import re
assert len(lines) == 3, text
for line in lines:
    assert set(line) == {"time", "mainValue", "mainUnit", "subValue", "subUnit", "function", "range", "flags"}, line
    assert re.fullmatch(r"\d\d:\d\d:\d\d", line["time"]), line
    assert 1.4 <= float(line["mainValue"]) <= 1.6 and line["mainUnit"] == "V", line
    assert line["subValue"] is None and line["subUnit"] is None, line
    assert (line["function"], line["range"], line["flags"]) == ("DCV", "6", []), line'

LANG=C "$cli" info "$data/recording.vdmm" --json >"$work/info" || fail "info --json: exit $?"
check "info" "$work/info" value '
assert value["model"] == "RV7361" and value["serial"] == "23120815", value
assert value["records"] == 4 and value["runRecords"] == 4, value
assert value["start"] == "2026/12/10,12:00:00" and value["memo"] == "memo; one", value
assert value["measurements"][0] == {"display": "main", "measurement": "DCV", "readings": 1,
                                    "mean": "1.23450 V", "standardDeviation": "0.00000 V"}, value
assert [m["display"] for m in value["measurements"]] == ["main", "main", "sub"], value
assert value["duration"] == "00:00:03", value'

# A memo with quotes, backslashes, line breaks, a tab, a control character
# and Japanese comes back from the JSON as it was written.
memo='say "hi" \ C:\path'$'\r\n\t\x01'' 日本語'
python3 - "$data/recording.vdmm" "$work/memo.vdmm" "$memo" <<'EOF_PY'
import sys
def text(s):
    units = s.encode("utf-16-le")
    return b"\xff\xfe\xff" + bytes([len(units) // 2]) + units
recording = open(sys.argv[1], "rb").read()
assert recording.count(text("memo; one")) == 1
open(sys.argv[2], "wb").write(recording.replace(text("memo; one"), text(sys.argv[3])))
EOF_PY
LANG=C "$cli" info "$work/memo.vdmm" --json >"$work/memo" || fail "info --json of the memo: exit $?"
printf '%s' "$memo" >"$work/memo.expected"
check "memo" "$work/memo" value '
expected = open("'"$work"'/memo.expected", encoding="utf-8", newline="").read()
assert value["memo"] == expected, (value["memo"], expected)'

if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "all passed"
