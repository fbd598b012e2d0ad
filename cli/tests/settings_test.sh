#!/usr/bin/env bash
# rv7300s-cli settings show on good and damaged files.
# usage: settings_test.sh <rv7300s-cli> <fixture folder>
set -uo pipefail
cli="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out="$(LANG=C "$cli" settings show "$data/settings-2.11.ini")" || fail "good file: exit $?"
for line in "versionText: 2.11" "versionNumber: 21100" "windowRect: 120,80,820,690" "language: 0" \
            "companyText: 株式会社ヴォルネク" 'memoText: memo\r\nsecond line' "excelIntervalIndex: 2"; do
  grep -qxF "$line" <<<"$out" || fail "missing '$line'"
done
[ "$(wc -l <<<"$out")" -eq 41 ] || fail "expected 41 lines, got $(wc -l <<<"$out")"

head -c 100 "$data/settings-2.11.ini" >"$work/short.ini"
err="$(LANG=C "$cli" settings show "$work/short.ini" 2>&1 >/dev/null)"; code=$?
[ $code -eq 1 ] || fail "truncated file: exit $code"
grep -qF "An attempt was made to access $work/short.ini past its end." <<<"$err" || fail "message: $err"
err="$(LANG=ja_JP.UTF-8 "$cli" settings show "$work/short.ini" 2>&1 >/dev/null)"
grep -qF "の末尾以降にアクセスしようとしました。" <<<"$err" || fail "Japanese message: $err"

# A pipe or a folder as the settings file: refused at once, saying what it is.
mkfifo "$work/pipe.ini"
err="$(LANG=C timeout 10 "$cli" settings show "$work/pipe.ini" 2>&1 >/dev/null)"; code=$?
[ $code -eq 1 ] || fail "pipe: exit $code"
grep -qF "$work/pipe.ini is not a regular file" <<<"$err" || fail "pipe message: $err"
err="$(LANG=ja_JP.UTF-8 "$cli" settings show "$work" 2>&1 >/dev/null)"; code=$?
[ $code -eq 1 ] || fail "folder: exit $code"
grep -qF "$work はフォルダーです。" <<<"$err" || fail "folder message: $err"

LANG=C "$cli" settings show "$work/missing.ini" >/dev/null 2>&1; code=$?
[ $code -eq 1 ] || fail "missing file: exit $code"
LANG=C "$cli" settings frob >/dev/null 2>&1; code=$?
[ $code -eq 2 ] || fail "usage: exit $code"

if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "all passed"
