#!/usr/bin/env bash
# An idle program makes no system call: strace counts them for 5 seconds after start-up.
# Usage: idle.sh PROGRAM
source "$(dirname "$0")/lib.sh"
start_x
start_wm
start_program "$1"
sleep 0.5
# Every completed call is one line; the poll() the program sleeps in shows as "<detached ...>".
timeout -s INT 5 strace -f -p "$PID" -o "$E2E_TMP/strace" 2>/dev/null
calls=$(grep -cv -e '<detached \.\.\.>' -e '^[0-9]* *+++' "$E2E_TMP/strace")
echo "system calls in 5 idle seconds: $calls"
check "no system call while idle" [ "$calls" = 0 ]
ticks=$(awk '{print $14 + $15}' "/proc/$PID/stat")
sleep 2
check "no CPU time while idle" [ "$(awk '{print $14 + $15}' "/proc/$PID/stat")" = "$ticks" ]
xdotool key Escape
finish
