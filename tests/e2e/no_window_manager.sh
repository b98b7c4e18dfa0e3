#!/usr/bin/env bash
# Without a window manager the program gives itself the focus, the modal window too, and Esc
# ends it with exit code 0. Usage: no_window_manager.sh PROGRAM
source "$(dirname "$0")/lib.sh"
start_x
"$1" &
PID=$!
E2E_PIDS+=($PID)
W=$(win_wait 蓝砂纪礼包大全) || { echo "not ok - no window"; exit 1; }
focused() { [ "$(xdotool getwindowfocus)" = "$1" ]; }
check "the main window comes up focused" until_ok focused "$W"
read -r x y w h <<<"$(geometry "$W")"
check "its client area sits where the classic frame puts it ($x,$y)" [ "$x $y $w $h" = "350 297 580 449" ]
xdotool key space
G=$(win_wait 部分礼包仅供参考) || { echo "not ok - Space opened nothing"; exit 1; }
check "the gift-sources window takes the focus" until_ok focused "$G"
xdotool key Escape
check "Escape closes it" until_ok win_gone 部分礼包仅供参考
check "the main window takes the focus back" until_ok focused "$W"
xdotool key Escape
exit_code_of "$PID"
code=$EXIT_CODE
check "Escape ends the program with exit code 0 (got $code)" [ "$code" = 0 ]
finish
