#!/bin/sh
# kelmarin's command line, with no display at all: --help and --version answer on stdout with status 0,
# a wrong call gives the usage on stderr with status 2, and none of them needs a window.
set -u
kelmarin=$1
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail=0
expect() { # status, stdout pattern ('' for empty), stderr pattern ('' for empty), arguments...
  status=$1 stdout=$2 stderr=$3; shift 3
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$kelmarin" "$@" >"$out" 2>"$err"
  got=$?
  ok=1
  [ "$got" -eq "$status" ] || ok=0
  if [ -n "$stdout" ]; then grep -Eq "$stdout" "$out" || ok=0; else [ ! -s "$out" ] || ok=0; fi
  if [ -n "$stderr" ]; then grep -Eq "$stderr" "$err" || ok=0; else [ ! -s "$err" ] || ok=0; fi
  if [ "$ok" -eq 0 ]; then
    echo "kelmarin $*: status $got (want $status); stdout:"; cat "$out"; echo "stderr:"; cat "$err"
    fail=1
  fi
}
expect 0 '^kelmarin 1\.00$' '' --version
[ "$(env -u DISPLAY "$kelmarin" --version)" = "kelmarin 1.00" ] || { echo "--version: not exactly one line"; fail=1; }
expect 0 '^usage: kelmarin \[FILE\.kmr\]$' '' --help
expect 0 '^  --version ' '' game.kmr --help
expect 2 '' '^usage: kelmarin' one.kmr two.kmr
expect 2 '' "unexpected argument '-x'" -x
expect 2 '' '^usage: kelmarin' -
expect 1 '' 'no display' -- -odd.kmr
exit $fail
