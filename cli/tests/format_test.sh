#!/usr/bin/env bash
# rv7300s-cli format, as a user checks a stored value.
# usage: format_test.sh <rv7300s-cli>
set -uo pipefail
cli="$1"
failures=0
check() {  # expected-output expected-exit args...
  local want=$1 code=$2; shift 2
  local got
  got="$("$cli" format "$@" 2>/dev/null)"; local rc=$?
  [ "$rc" -eq "$code" ] || { echo "FAIL: format $*: exit $rc, expected $code"; failures=$((failures + 1)); return; }
  [ "$got" = "$want" ] || { echo "FAIL: format $*: '$got', expected '$want'"; failures=$((failures + 1)); }
}
# Numbers are indexes as records store them; other texts are meter tokens.
check "1.234"   0 --model 0 --function ACV --range 1 --count 1234
check "12,34"   0 --model RV7321 --function 1 --range 3 --count 1234 --mark ,
check "-6.000"  0 --model 0 --function 0 --range 1 --count -1000000
check "-.----"  0 --model RV7361 --function DCV --range 3 --count 2000000
check "1472.0"  0 --model 8 --function TEMP --range 0 --count 1000000 --fahrenheit
check "180.00"  0 --model 8 --function ACV --range 1 --count 1000000 --peak
check "15.00"   0 --model 8 --function ACV --range 600m --count 1500
check "OPEN"    0 --model 8 --function RES --range 2 --count 12 --flags 32
check "-0.012"  0 --model 0 --function DCV --range 2 --count -12 --flags 5
check "500.0"   0 --model 0 --function -1 --range 1k --count 5000 --sub
check "0.7"     0 --model 0 --function RES --range 7 --count 7
check ""        2 --model 0 --function ACV --range 1
check ""        2 --model 11 --function ACV --range 1 --count 1
check ""        2 --model 0 --function XYZ --range 1 --count 1
check ""        2 --model 0 --function ACV --range 5 --count 1
check ""        2 --model 0 --function ACV --range 1 --count 1.5
check ""        2 --model 0 --function ACV --range 1 --count 1 --mark :
check ""        2 --model 0 --function -1 --range 1 --count 1
if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "all passed"
