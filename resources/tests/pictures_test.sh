#!/bin/sh
# Every bitmap the monitor panel can ask for exists beside the programs and
# is a 24-bit BMP of its size.  The list is built here from the panel's
# rules, independently of the generator.
#   pictures_test.sh PROGRAM_FOLDER
set -u
root=${1:?usage: pictures_test.sh PROGRAM_FOLDER}

rv732x="ACV DCV DCmV AutoV CONT RES CAP DIODE TEMP CLAMP ACA DCA DCmA DCuA VDET"
rv734x="AutoV DCV ACDCV ACV HzV LoZV CONT DIODE RES CAP TEMP CLAMP ACA HzA AutoA DCA ACDCA DC_4_20mA DCHV"
rv736x="ACV dBm dBV CLAMP DCV ACDCV SEPV CONT DIODE RES TEMP CAP nS DCuA ACuA DCmA ACmA DC_4_20mA DCA ACA"

failures=0
checked=0

# Little-endian unsigned integer of SIZE bytes at OFFSET.
le() {
  od -An -t u1 -j "$2" -N "$3" "$1" | awk '{ v = 0; for (i = NF; i >= 1; i--) v = v * 256 + $i; printf "%d", v }'
}

check() {
  path=$1 width=$2 height=$3
  file="$root/$path"
  checked=$((checked + 1))
  if [ ! -f "$file" ]; then
    echo "missing: $path"; failures=$((failures + 1)); return
  fi
  magic=$(od -An -c -N 2 "$file" | tr -d ' ')
  w=$(le "$file" 18 4); h=$(le "$file" 22 4); bits=$(le "$file" 28 2)
  header=$(le "$file" 14 4); offset=$(le "$file" 10 4); declared=$(le "$file" 2 4)
  actual=$(wc -c < "$file" | tr -d ' ')
  stride=$(( (w * 3 + 3) / 4 * 4 ))
  if [ "$magic" != "BM" ] || [ "$w" != "$width" ] || [ "$h" != "$height" ] || [ "$bits" != 24 ] ||
     [ "$header" != 40 ] || [ "$offset" != 54 ] || [ "$declared" != "$actual" ] ||
     [ "$actual" != $((54 + stride * h)) ]; then
    echo "bad bitmap: $path (magic $magic, ${w}x$h, $bits bits, header $header, offset $offset, size $declared/$actual)"
    failures=$((failures + 1))
  fi
}

common=Pictures/common
# Status icons: the strip's widths, 20 pixels high.
for state in on off; do
  check $common/st_over_$state.bmp 68 20
  check $common/st_rel_$state.bmp 38 20
  check $common/st_filter_$state.bmp 63 20
  check $common/st_slow_$state.bmp 55 20
  check $common/st_buzz_$state.bmp 36 20
  check $common/st_aps_$state.bmp 40 20
done
for battery in st_batt0 st_batt1 st_batt2 st_batt3 st_batt3_off; do
  check $common/$battery.bmp 36 20
done

# Diagram area pictures.
check $common/white.bmp 330 195
for phase in a b; do
  check $common/hv_$phase.bmp 330 195
  check $common/hc_$phase.bmp 330 195
  check $common/cf_$phase.bmp 330 195
  check $common/uu_${phase}_RV732X.bmp 330 195
  check $common/uu_${phase}_RV736X.bmp 330 195
done

# Every model with a picture set (not the RV734X entry) and every function
# of its family.
for model in RV7321 RV7322 RV7323 RV7324 RV7325 RV7326 RV7341 RV7361 RV7362; do
  case $model in
    RV732*) tokens=$rv732x ;;
    RV734*) tokens=$rv734x ;;
    RV736*) tokens=$rv736x ;;
  esac
  for token in $tokens; do
    check Pictures/$model/$model$token.bmp 330 195
  done
done

echo "$checked pictures checked, $failures failed"
[ "$failures" -eq 0 ]
