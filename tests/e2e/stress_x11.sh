#!/usr/bin/env bash
# 300 opens and closes of the gift-sources window on Xvfb with openbox, driven by xdotool:
# resident memory stays within 1 MiB after the first 100 cycles. Usage: stress_x11.sh PROGRAM
source "$(dirname "$0")/lib.sh"
CYCLES=${STRESS_X11_CYCLES:-300}
start_x
start_wm
start_program "$1"
rss() { awk '/VmRSS/ {print $2}' "/proc/$PID/status"; }
warm=0 peak=0 done_cycles=0
for i in $(seq 1 "$CYCLES"); do
  xdotool mousemove --window "$W" 512 424 click 1
  G=$(win_wait 部分礼包仅供参考) || break
  until_ok is_active "$G" || break
  xdotool key Escape
  until_ok win_gone 部分礼包仅供参考 || break
  until_ok is_active "$W" || break
  done_cycles=$i
  [ "$i" = 100 ] && warm=$(rss)
  if [ "$i" -gt 100 ]; then r=$(rss); [ "$r" -gt "$peak" ] && peak=$r; fi
done
check "$CYCLES cycles completed ($done_cycles)" [ "$done_cycles" = "$CYCLES" ]
echo "resident after 100 cycles: $warm KiB, highest after: $peak KiB"
if [ "$CYCLES" -gt 100 ] && [ -z "${SANITIZED:-}" ]; then
  check "resident memory flat within 1 MiB" [ $((peak - warm)) -le 1024 ]
fi
xdotool key Escape
exit_code_of "$PID"
code=$EXIT_CODE
check "exit code 0 (got $code)" [ "$code" = 0 ]
finish
