#!/usr/bin/env bash
# Builds the program and runs it. With a display it simply starts. Without one it shows the
# program working on a private virtual display (Xvfb with openbox): it starts the program, opens
# the gift-sources window, saves screenshots of both windows to out/, closes them with Esc and
# reports the exit code.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target lanshaji-gifts
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec build/lanshaji-gifts
fi

source tests/e2e/lib.sh
set +e
mkdir -p out
start_x
start_wm
echo "Private display $DISPLAY with openbox; starting build/lanshaji-gifts"
build/lanshaji-gifts &
PID=$!
E2E_PIDS+=($PID)
W=$(win_wait 蓝砂纪礼包大全) || { echo "the main window did not appear"; exit 1; }
until_ok is_active "$W"
sleep 0.2
import -window "$(frame_of "$W")" out/main-window.png
echo "Main window up; clicking 单击我获取礼包"
xdotool mousemove --window "$W" 512 424 click 1
G=$(win_wait 部分礼包仅供参考) || { echo "the gift-sources window did not appear"; exit 1; }
until_ok is_active "$G"
sleep 0.2
import -window "$(frame_of "$G")" out/gift-sources-window.png
import -window root out/screen.png
echo "Gift-sources window up; closing it with Esc, then the main window"
xdotool key Escape
until_ok win_gone 部分礼包仅供参考
until_ok is_active "$W"
xdotool key Escape
exit_code_of "$PID"
code=$EXIT_CODE
echo "Screenshots: $(pwd)/out/main-window.png, $(pwd)/out/gift-sources-window.png, $(pwd)/out/screen.png"
echo "The program exited with code $code"
[ "$code" = 0 ]
