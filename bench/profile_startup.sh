#!/usr/bin/env bash
# Where start-up spends its CPU time: records the program (or the baseline) with perf while it
# starts on a private Xvfb with openbox, then prints the CPU time of each thread and, for each,
# the libraries it spends it in. Kernel time is mostly page faults: on a virtual machine every
# first touch of a page costs microseconds.
# Usage: bench/profile_startup.sh [BUILD_DIR] [ours|baseline]   (needs perf: apt-get install linux-perf)
set -u
cd "$(dirname "$0")/.."
BUILD=${1:-build}
WHICH=${2:-ours}
source tests/e2e/lib.sh
command -v perf >/dev/null || { echo "perf is not installed (apt-get install linux-perf)"; exit 1; }
PROGRAM=$BUILD/lanshaji-gifts
[ "$WHICH" = baseline ] && PROGRAM=$BUILD/bench/baseline
start_x
start_wm
DATA=$E2E_TMP/perf.data
# 0.5 s covers start-up and the first frame; the program is then idle and takes no samples.
perf record -q -F 20000 -o "$DATA" -- timeout 0.5 "$PROGRAM" >/dev/null 2>&1
perf script -i "$DATA" -F comm,tid,ip,dso 2>/dev/null | awk -v hz=20000 '
  { dso = $NF; gsub(/[()]/, "", dso); sub(/.*\//, "", dso)
    line = $0; sub(/^ +/, "", line); match(line, / +[0-9]+ +[0-9a-f]+ /)
    who = substr(line, 1, RSTART - 1) " " $(NF - 2)
    n[who]++; d[who, dso]++ }
  END { for (t in n) { if (n[t] * 1000 / hz < 1) continue
          printf "%s: %.1f ms CPU\n", t, n[t] * 1000 / hz
          for (k in d) { split(k, p, SUBSEP); if (p[1] == t && d[k] * 20 >= n[t])
            printf "    %5.1f ms  %s\n", d[k] * 1000 / hz, p[2] } } }'
