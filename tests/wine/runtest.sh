#!/bin/sh
# Runs one QtTest program under wine: runtest.sh PROGRAM.exe [ARGUMENTS...]. wine shows nothing the
# program writes to its standard output, so the report goes through a file.
report=$(mktemp)
program=$1
shift
wine "$program" "$@" -o "Z:$report,txt"
status=$?
cat "$report"
rm -f "$report"
exit $status
