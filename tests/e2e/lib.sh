# Shared helpers of the end-to-end tests: a private X server, a window manager, waiting for
# windows, and checks. Each test sources this file, owns its display and cleans up by PID.
set -u
E2E_PIDS=()
FAILURES=0

e2e_cleanup() {
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  [ -n "${E2E_TMP:-}" ] && rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

E2E_TMP=$(mktemp -d /tmp/lanshaji-e2e-XXXXXX)

# Starts Xvfb on a free display and exports DISPLAY.
start_x() {
  local size=${1:-1280x1024x24}
  exec 9>"$E2E_TMP/displayfd"
  Xvfb -displayfd 9 -screen 0 "$size" -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
  E2E_PIDS+=($!)
  exec 9>&-
  local n=0
  until [ -s "$E2E_TMP/displayfd" ]; do sleep 0.05; n=$((n + 1)); [ $n -gt 200 ] && { echo "Xvfb did not start"; exit 1; }; done
  export DISPLAY=":$(head -n1 "$E2E_TMP/displayfd")"
  until xdpyinfo >/dev/null 2>&1; do sleep 0.05; done
}

# Starts openbox and waits until it is ready.
start_wm() {
  openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
  E2E_PIDS+=($!)
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' &&
        xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q 'window id'; do sleep 0.05; done
}

# Polls a command every 20 ms for up to 5 seconds.
until_ok() {
  local i
  for i in $(seq 1 250); do "$@" >/dev/null 2>&1 && return 0; sleep 0.02; done
  return 1
}

# The id of the visible window with exactly this title (waits for it).
win_wait() {
  local id i
  for i in $(seq 1 250); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.02
  done
  return 1
}

win_gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

frame_of() { xwininfo -tree -id "$1" | awk '/Parent window id/ {print $4}'; }

active_window() { xprop -root _NET_ACTIVE_WINDOW | awk '{print $NF}'; }

is_active() { [ "$(printf '%d' "$(active_window)")" = "$(printf '%d' "$1")" ]; }

# Absolute position and size of a window: "x y w h".
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# A pixel of a window's client area as RRGGBB.
pixel() {
  import -window "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- 2>/dev/null | awk 'NR==2 {print substr($3,2,6)}'
}

check() {
  local what=$1; shift
  if "$@"; then echo "ok - $what"; else echo "not ok - $what"; FAILURES=$((FAILURES + 1)); fi
}

# Waits up to 10 seconds for a child process of this shell and sets EXIT_CODE to its exit code
# (or "running"). Not in a subshell: only the shell that started a process can wait for it.
exit_code_of() {
  local pid=$1 i
  EXIT_CODE=running
  for i in $(seq 1 200); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      EXIT_CODE=$?
      return
    fi
    sleep 0.05
  done
}

# Starts the program (standard error to $E2E_TMP/stderr), sets PID, and W to its main window once
# that is up (and active, when a window manager runs).
start_program() {
  "$1" 2>"$E2E_TMP/stderr" &
  PID=$!
  E2E_PIDS+=($PID)
  W=$(win_wait 蓝砂纪礼包大全) || { echo "not ok - the main window never appeared"; exit 1; }
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then until_ok is_active "$W"; fi
}

finish() {
  if [ "$FAILURES" -eq 0 ]; then echo "all checks passed"; exit 0; fi
  echo "$FAILURES check(s) failed"; exit 1
}
