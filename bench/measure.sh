#!/usr/bin/env bash
# The whole-process measurement: on a private Xvfb, with and without openbox, start the program
# and the baseline in alternation (RUNS times each, 10 by default) and measure from outside:
#   start -> mapped, start -> pixels final (bench/probe polls the window's image until it settles),
#   peak resident memory (VmHWM), click on the button -> gift-sources window mapped and final,
# plus the system calls and CPU time of 5 idle seconds. Prints medians and ranges.
# Usage: bench/measure.sh [BUILD_DIR]
set -u
cd "$(dirname "$0")/.."
BUILD=${1:-build}
RUNS=${RUNS:-10}
source tests/e2e/lib.sh
PROBE=$BUILD/bench/probe
OURS=$BUILD/lanshaji-gifts
BASE=$BUILD/bench/baseline
OUT=$E2E_TMP/results
mkdir -p "$OUT"

hwm() { awk '/VmHWM/ {print $2}' "/proc/$1/status"; }

one_run() {  # setting, name, program, main title, gift title
  local setting=$1 name=$2 program=$3 title=$4 gift=$5 start click pid
  start=$("$PROBE" start "$title" "$program") || { echo "probe failed for $name" >&2; return; }
  pid=${start##* }
  echo "${start% *}" >>"$OUT/$setting.$name.start"
  hwm "$pid" >>"$OUT/$setting.$name.hwm"
  click=$("$PROBE" click "$title" 512 424 "$gift") && echo "$click" >>"$OUT/$setting.$name.click"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  sleep 0.2
}

idle() {  # name, program, title
  local pid calls ticks
  "$2" >/dev/null 2>&1 &
  pid=$!
  win_wait "$3" >/dev/null
  sleep 1
  ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  timeout -s INT 5 strace -f -p "$pid" -o "$OUT/$1.strace" 2>/dev/null
  calls=$(grep -cv -e '<detached \.\.\.>' -e '^[0-9]* *+++' "$OUT/$1.strace")
  echo "$1: $calls system calls and $(( $(awk '{print $14 + $15}' "/proc/$pid/stat") - ticks )) CPU ticks in 5 idle seconds"
  kill "$pid"
  wait "$pid" 2>/dev/null
}

# median and range of column $2 of file $1
stats() { sort -n -k"$2" "$1" | awk -v c="$2" '{v[NR]=$c} END {m = NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2; printf "%7.1f (%.1f-%.1f)", m, v[1], v[NR]}'; }

for setting in openbox bare; do
  start_x
  [ "$setting" = openbox ] && start_wm
  for i in $(seq 1 "$RUNS"); do
    one_run "$setting" ours "$OURS" 蓝砂纪礼包大全 部分礼包仅供参考
    one_run "$setting" baseline "$BASE" "baseline 蓝砂纪礼包大全" "baseline 部分礼包仅供参考"
  done
  if [ "$setting" = openbox ]; then
    idle ours "$OURS" 蓝砂纪礼包大全
    idle baseline "$BASE" "baseline 蓝砂纪礼包大全"
  fi
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  E2E_PIDS=()
done

echo
echo "medians (ranges) of $RUNS runs each, milliseconds; peak RSS in KiB"
printf "%-9s %-9s %-22s %-22s %-22s %-22s %-22s\n" setting program "start->mapped" "start->final" "peak RSS" "click->mapped" "click->final"
for setting in openbox bare; do
  for name in ours baseline; do
    f=$OUT/$setting.$name
    printf "%-9s %-9s %-22s %-22s %-22s %-22s %-22s\n" "$setting" "$name" "$(stats "$f.start" 1)" "$(stats "$f.start" 2)" \
      "$(stats "$f.hwm" 1)" "$(stats "$f.click" 1)" "$(stats "$f.click" 2)"
  done
done
