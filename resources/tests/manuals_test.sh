#!/bin/sh
# Both user manuals exist beside the programs as real PDFs of some size,
# and, where pdftotext (poppler-utils) is installed, their text holds a few
# phrases of each language, which a PDF whose Japanese turned into boxes
# or whose chapters went missing would not.
#   manuals_test.sh PROGRAM_FOLDER
set -u
root=${1:?usage: manuals_test.sh PROGRAM_FOLDER}
folder="$root/Manuals"
failures=0
min_bytes=20000

fail() { echo "$*"; failures=$((failures + 1)); }

check_pdf() {
  file="$folder/$1"
  if [ ! -f "$file" ]; then
    fail "missing: Manuals/$1"; return 1
  fi
  magic=$(head -c 4 "$file")
  [ "$magic" = "%PDF" ] || fail "not a PDF: Manuals/$1 (starts with '$magic')"
  size=$(wc -c < "$file" | tr -d ' ')
  [ "$size" -gt "$min_bytes" ] || fail "too small: Manuals/$1 ($size bytes)"
  return 0
}

# Whitespace is dropped on both sides: lines may break anywhere, and
# Japanese lines break without a space.
check_phrases() {
  file="$folder/$1"; shift
  text=$(pdftotext -enc UTF-8 "$file" - 2>/dev/null | tr -d ' \t\r\n\f')
  if [ -z "$text" ]; then
    fail "no text in Manuals/$(basename "$file")"; return
  fi
  for phrase in "$@"; do
    squeezed=$(printf '%s' "$phrase" | tr -d ' ')
    case "$text" in
      *"$squeezed"*) ;;
      *) fail "Manuals/$(basename "$file") lacks: $phrase" ;;
    esac
  done
}

english=RV7300s_UsersManual_Eng.pdf
japanese=RV7300s_UsersManual_Jpn.pdf
check_pdf "$english" && english_ok=1 || english_ok=0
check_pdf "$japanese" && japanese_ok=1 || japanese_ok=0

if command -v pdftotext >/dev/null 2>&1; then
  [ "$english_ok" = 1 ] && check_phrases "$english" \
    "Quorvia for RV7300s" "Getting started with the virtual meter" "rv7300s-sim" \
    "Real Time Monitor (Measured value)" "Save as CSV file" "Read Memory Data form DMM" \
    "Communication Error. No response!" "Troubleshooting"
  [ "$japanese_ok" = 1 ] && check_phrases "$japanese" \
    "ユーザーズマニュアル" "仮想メーターで始める" "rv7300s-sim" \
    "リアルタイムモニタ （測定値）" "CSV形式で保存" "DMM本体メモリデータ読み込み" \
    "通信エラー。応答がありません！" "困ったときは"
else
  echo "pdftotext not found (Debian package poppler-utils): text not checked"
fi

echo "manuals checked, $failures failed"
[ "$failures" -eq 0 ]
