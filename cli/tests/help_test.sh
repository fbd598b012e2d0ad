#!/usr/bin/env bash
# rv7300s-cli's help, version and usage errors: help and data on standard
# output with exit 0, errors on standard error with exit 2 and nothing on
# standard output.
# usage: help_test.sh <rv7300s-cli> <version>
set -uo pipefail
cli="$1"
version="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

run() {  # expected-exit command-line...
  local want=$1; shift
  "$cli" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$want" ] || fail "$*: exit $got, expected $want"
}

commands=(ports identify settings format monitor memory info export record recover help)

# The list of commands, however it is asked for.
run 0 --help
cp "$work/out" "$work/help"
[ -s "$work/err" ] && fail "--help wrote to standard error: $(cat "$work/err")"
for command in "${commands[@]}"; do
  grep -qE "^  $command +[a-z]" "$work/help" || fail "--help does not list $command"
done
for asked in -h help; do
  run 0 $asked
  cmp -s "$work/out" "$work/help" || fail "$asked differs from --help"
done

# Each command's help, as `help COMMAND` and as `COMMAND --help` or `-h`:
# its use, every option of that use described, and its exit codes.
for command in "${commands[@]}"; do
  run 0 help "$command"
  cp "$work/out" "$work/command"
  grep -q "^usage: rv7300s-cli $command" "$work/command" || fail "help $command: no usage line"
  grep -qE '^  2  (usage error|no such command)$' "$work/command" || fail "help $command: no exit status 2"
  grep -qE '^  0  ' "$work/command" || fail "help $command: no exit status 0"
  for option in $(sed -n '/^usage:/,/^$/p' "$work/command" | grep -oE -- '--[a-z-]+' | sort -u); do
    grep -qE -- "^  $option( |$)" "$work/command" || fail "help $command: $option is not described"
  done
  if [ "$command" != help ]; then
    for asked in --help -h; do
      run 0 "$command" $asked
      cmp -s "$work/out" "$work/command" || fail "$command $asked differs from help $command"
    done
  fi
done

run 0 --version
[ "$(cat "$work/out")" = "rv7300s-cli $version" ] || fail "--version: $(cat "$work/out")"

# Usage errors: the problem and the use on standard error only.
while IFS='|' read -r message args; do
  read -ra words <<<"$args"
  run 2 "${words[@]}"
  [ -s "$work/out" ] && fail "$args: wrote to standard output: $(cat "$work/out")"
  grep -qF -- "$message" "$work/err" || fail "$args: no \"$message\" in: $(cat "$work/err")"
done <<'CASES'
no command|
unknown command frobnicate|frobnicate
no command frobnicate|help frobnicate
usage: rv7300s-cli help|help ports identify
usage: rv7300s-cli identify [--port N]|identify --speed 4800
usage: rv7300s-cli ports [--json]|ports --all
usage: rv7300s-cli info FILE.vdmm|info
usage: rv7300s-cli monitor|monitor --count 0
CASES

if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "all passed"
