#!/usr/bin/env bash
# What the program must survive, each tried end to end on Xvfb with openbox.
# Usage: faults.sh PROGRAM REQUEST_CLIENT
source "$(dirname "$0")/lib.sh"
PROGRAM=$1
REQUEST=$2
MAIN=蓝砂纪礼包大全
GIFT=部分礼包仅供参考

start_x
start_wm

launch() { start_program "$PROGRAM"; }
open_gifts() {
  xdotool mousemove --window "$W" 512 424 click 1
  G=$(win_wait "$GIFT") && until_ok is_active "$G"
}
gift_count() { xdotool search --onlyvisible --name "^$GIFT\$" 2>/dev/null | wc -l; }
main_disabled() { xprop -id "$W" _LANSHAJI_DISABLED 2>/dev/null | grep -q '= 1'; }
consistent() {
  local n
  n=$(gift_count)
  [ "$n" -le 1 ] || return 1
  if [ "$n" = 1 ]; then main_disabled; else ! main_disabled; fi
}

# 1. Close and activation requests for the disabled main window.
launch
open_gifts
read -r fx fy fw fh <<<"$(geometry "$(frame_of "$W")")"
xdotool mousemove $((fx + fw - 10)) $((fy + 10)) click 1   # the frame's close button
sleep 0.3
check "the close button of the disabled main window is refused" kill -0 "$PID"
check "and brings the gift-sources window forward" until_ok is_active "$G"
xdotool key --window "$W" alt+F4
sleep 0.2
check "Alt+F4 sent to the disabled main window is refused" kill -0 "$PID"
wmctrl -ic "$W"
sleep 0.3
check "wmctrl -c of the disabled main window is refused" kill -0 "$PID"
check "and the gift-sources window is forward" until_ok is_active "$G"
xdotool mousemove $((fx + fw / 2)) $((fy + 8)) click 1   # the main window's title bar
sleep 0.3
check "a click on the main window's frame brings the gift-sources window forward" until_ok is_active "$G"
wmctrl -ia "$W"
check "wmctrl -ia brings it forward too" until_ok is_active "$G"

# 2. Malformed and misaddressed requests are ignored.
"$REQUEST" --malformed "$W"
"$REQUEST" --malformed "$G"
sleep 0.2
check "malformed requests leave the program running" kill -0 "$PID"
check "a good request is still answered" [ "$("$REQUEST" "$W" 140 1 2)" = 0 ]

# 3. The main window destroyed by another program while the gift-sources window is open.
xdotool windowclose "$W" 2>/dev/null
sleep 0.3
check "the program goes on without its main window" kill -0 "$PID"
check "the gift-sources window stays" [ "$(gift_count)" = 1 ]
until_ok is_active "$G"
xdotool key Escape
exit_code_of "$PID"
code=$EXIT_CODE
check "closing the gift-sources window then ends the program with 0 (got $code)" [ "$code" = 0 ]

# 4. A storm of clicks and keys on both windows while the gift-sources window opens and closes.
launch
xdotool mousemove --window "$W" 512 424
inconsistent=0
for round in $(seq 1 30); do
  xdotool click --repeat 40 --delay 1 1 key --repeat 40 --delay 1 space Return Tab &
  STORM=$!
  sleep 0.15
  for g in $(xdotool search --onlyvisible --name "^$GIFT\$" 2>/dev/null); do wmctrl -ic "$g"; done
  wait "$STORM"
  # Two windows never; and once the program has worked off the storm, the main window is
  # disabled exactly while the gift-sources window is open (a sample taken in the middle of a
  # load may fall between showing the window and disabling the main one).
  [ "$(gift_count)" -le 1 ] || inconsistent=$((inconsistent + 1))
  until_ok consistent || inconsistent=$((inconsistent + 1))
done
check "through the storm: at most one gift-sources window, the main window disabled exactly while it is open ($inconsistent inconsistent samples)" [ "$inconsistent" = 0 ]
for g in $(xdotool search --onlyvisible --name "^$GIFT\$" 2>/dev/null); do wmctrl -ic "$g"; done
until_ok win_gone "$GIFT"
check "the program is still running" kill -0 "$PID"
until_ok is_active "$W"
xdotool key Escape
exit_code_of "$PID"
code=$EXIT_CODE
check "and ends with 0 (got $code)" [ "$code" = 0 ]

# 5. The X server goes away while both windows are open.
launch
open_gifts
kill "${E2E_PIDS[0]}"   # Xvfb
exit_code_of "$PID"
code=$EXIT_CODE
check "losing the X server ends the program (got $code)" [ "$code" != running ] && [ "$code" != 0 ] && [ "$code" -lt 128 ]
check "with a clear message" grep -q "connection to the X server was lost" "$E2E_TMP/stderr"
finish
