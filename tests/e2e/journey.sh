#!/usr/bin/env bash
# The whole journey of a user, on a private Xvfb with openbox, driven by xdotool as a person
# would: start, look, open the gift-sources window, try the disabled main window, close, reopen
# after moving and minimising, ask 标签4 from another program, end with Esc.
# Usage: journey.sh PROGRAM REQUEST_CLIENT
source "$(dirname "$0")/lib.sh"
PROGRAM=$1
REQUEST=$2
MAIN_TITLE=蓝砂纪礼包大全
GIFT_TITLE=部分礼包仅供参考

start_x
start_wm
start_program "$PROGRAM"
check "the main window is active" is_active "$W"
read -r x y w h <<<"$(geometry "$W")"
check "the client area is 580 x 449" [ "$w x $h" = "580 x 449" ]
read -r fx fy fw fh <<<"$(geometry "$(frame_of "$W")")"
check "the frame is centred ($fx,$fy ${fw}x$fh)" [ $((fx * 2 + fw)) -ge 1279 ] && [ $((fx * 2 + fw)) -le 1281 ] &&
  [ $((fy * 2 + fh)) -ge 1023 ] && [ $((fy * 2 + fh)) -le 1025 ]
actions=$(xprop -id "$W" _NET_WM_ALLOWED_ACTIONS)
check "no maximise and no resize" bash -c "! grep -qE 'MAXIMIZE|RESIZE' <<<'$actions'"
icon=$(xprop -id "$W" _NET_WM_ICON | grep -c 'Icon (')
check "the icon property holds 32 x 32 and 16 x 16" bash -c "xprop -id $W _NET_WM_ICON | grep -q 'Icon (32 x 32)' && xprop -id $W _NET_WM_ICON | grep -q 'Icon (16 x 16)' && [ $icon = 2 ]"
task_bar() {
  for c in $(xprop -root _NET_CLIENT_LIST | tr -d ',' | grep -o '0x[0-9a-f]*'); do
    xprop -id "$c" _NET_WM_STATE | grep -q SKIP_TASKBAR || echo "$((c))"
  done
}
check "one task-bar entry, the main window's" [ "$(task_bar)" = "$((W))" ]

# What the user sees in the main window.
shot="$E2E_TMP/main.png"
import -window "$W" "$shot"
px() { convert "$shot" -crop "1x1+$1+$2" +repage -depth 8 txt:- | awk 'NR==2 {print substr($3,2,6)}'; }
check "标签1 at row 8 is (64, 64, 64)" [ "$(px 49 16)" = 404040 ]
check "标签1 is teal from row 16" [ "$(px 49 24)" = 008080 ]
check "标签4 has a sunken edge" [ "$(px 240 408)" = A0A0A0 ]
check "标签4's text is magenta" bash -c "convert '$shot' -crop 156x28+242+410 +repage -depth 8 txt:- | grep -qE '#(FF00FF|FE00FE|FD00FD)'"
check "按钮1 shows the focus rectangle" [ "$(px 435 411)" = 0F0F0F ]
check "the picture's top rows repeat below row 444" [ "$(px 200 446)" = "$(px 200 2)" ]
check "the picture starts at the top-left" [ -n "$(px 1 60)" ] && [ "$(px 1 60)" != F0F0F0 ]

# The gift-sources window.
xdotool mousemove --window "$W" 512 424 click 1
G=$(win_wait "$GIFT_TITLE") || { echo "not ok - the gift-sources window never appeared"; exit 1; }
check "the gift-sources window is active" until_ok is_active "$G"
read -r x y w h <<<"$(geometry "$G")"
check "its client area is 724 x 376" [ "$w x $h" = "724 x 376" ]
read -r gx gy gw gh <<<"$(geometry "$(frame_of "$G")")"
check "it is centred ($gx,$gy)" [ $((gx * 2 + gw)) -ge 1279 ] && [ $((gx * 2 + gw)) -le 1281 ] &&
  [ $((gy * 2 + gh)) -ge 1023 ] && [ $((gy * 2 + gh)) -le 1025 ]
check "it has no task-bar entry" [ "$(task_bar)" = "$((W))" ]
owner=$(xprop -id "$G" WM_TRANSIENT_FOR | grep -o '0x[0-9a-f]*')
check "it is transient for the invisible owner, not the main window" bash -c "[ -n '$owner' ] && [ \$(( $owner )) != $((W)) ] && xwininfo -id $owner | grep -q IsUnMapped"
sleep 0.2
gshot="$E2E_TMP/gifts.png"
import -window "$G" "$gshot"
gpx() { convert "$gshot" -crop "1x1+$1+$2" +repage -depth 8 txt:- | awk 'NR==2 {print substr($3,2,6)}'; }
check "标签1 starts teal" [ "$(gpx 72 8)" = 008080 ]
check "标签1 is white at row 8" [ "$(gpx 72 16)" = FFFFFF ]
check "标签3 starts cyan" [ "$(gpx 72 64)" = 00FFFF ]
check "标签5 is grey at its right edge" [ "$(gpx 263 120)" = 808080 ]
check "标签8 is red at its right edge" [ "$(gpx 703 216)" = FF0000 ]
check "标签8 is teal at its middle" [ "$(gpx 367 216)" = 008080 ]
check "标签10 is white at row 20" [ "$(gpx 615 340)" = FFFFFF ]
check "the window is button-face grey" [ "$(gpx 700 5)" = F0F0F0 ]

# The disabled main window.
xdotool mousemove --window "$W" 512 424 click 1
sleep 0.3
check "a click on the main window opens nothing" [ "$(xdotool search --onlyvisible --name "^$GIFT_TITLE\$" | wc -l)" = 1 ]
check "and brings the gift-sources window forward" until_ok is_active "$G"
xdotool key --window "$W" space
sleep 0.2
check "keys sent to the main window do nothing" [ "$(xdotool search --onlyvisible --name "^$GIFT_TITLE\$" | wc -l)" = 1 ]
wmctrl -ia "$W"
sleep 0.3
check "activating the main window brings the gift-sources window forward" until_ok is_active "$G"
wmctrl -ic "$W"
sleep 0.3
check "the window manager's close of the disabled main window is refused" kill -0 "$PID"
check "Escape closes the gift-sources window" bash -c "xdotool key Escape; source $(dirname "$0")/lib.sh; until_ok win_gone '$GIFT_TITLE'"
check "the main window is active again" until_ok is_active "$W"
check "and enabled" bash -c "xprop -id $W _LANSHAJI_DISABLED | grep -q '= 0'"

# Again, after moving and minimising the first one.
xdotool mousemove --window "$W" 512 424 click 1
G=$(win_wait "$GIFT_TITLE")
xdotool windowmove "$(frame_of "$G")" 20 30
sleep 0.2
xdotool windowminimize "$G"
sleep 0.3
wmctrl -ia "$W"
check "activating the main window restores the minimised gift-sources window" until_ok is_active "$G"
xdotool key Escape
until_ok win_gone "$GIFT_TITLE"
until_ok is_active "$W"
xdotool mousemove --window "$W" 512 424 click 1
G=$(win_wait "$GIFT_TITLE")
read -r hx hy hw hh <<<"$(geometry "$(frame_of "$G")")"
check "opened again, it is at the centre again" [ "$hx $hy" = "$gx $gy" ]
until_ok is_active "$G"
wmctrl -ic "$G"
check "the window manager's close closes the gift-sources window" until_ok win_gone "$GIFT_TITLE"
until_ok is_active "$W"

# Another program asks 标签4 (control 140).
check "a request to 标签4 is answered with 0" [ "$("$REQUEST" "$W" 140 5 6)" = 0 ]
check "a request to no control gets no answer" bash -c "! '$REQUEST' $W 999 5 6 2>/dev/null"
check "the program keeps running" kill -0 "$PID"

xdotool key Escape
exit_code_of "$PID"
code=$EXIT_CODE
check "Escape on the main window ends the program with exit code 0 (got $code)" [ "$code" = 0 ]
check "nothing on standard error" [ ! -s "$E2E_TMP/stderr" ]
finish
