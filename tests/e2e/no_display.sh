#!/usr/bin/env bash
# Without a display the program says so on standard error and ends with exit code -1 (255).
# Usage: no_display.sh PROGRAM
source "$(dirname "$0")/lib.sh"
env -u DISPLAY "$1" 2>"$E2E_TMP/stderr"
code=$?
check "exit code 255 (got $code)" [ "$code" = 255 ]
check "a message on standard error" grep -q "cannot open the display" "$E2E_TMP/stderr"
finish
