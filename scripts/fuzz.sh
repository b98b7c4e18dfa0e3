#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers) and runs
# each for FUZZ_SECONDS (60 by default), two at a time, starting from the seed corpus and the
# regression inputs. Any finding fails the run and leaves its input in build-sanitize/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
# The same build as the sanitizer pass of scripts/test.sh, which it reuses when it is there.
B=build-sanitize
CC=clang CXX=clang++ cmake -S . -B $B -DFUZZ=ON -DSANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=(form_loader picture font_record request)
cmake --build $B -j "$(nproc)" --target "${targets[@]/#/fuzz_}"
mkdir -p $B/findings
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
run() {
  local t=$1 work=$B/corpus/$1
  mkdir -p "$work"
  cp -n tests/fuzz/corpus/"$t"/* "$work"/ 2>/dev/null || true
  [ -d tests/fuzz/regressions/"$t" ] && cp -n tests/fuzz/regressions/"$t"/* "$work"/ 2>/dev/null
  if $B/tests/fuzz/fuzz_"$t" -max_total_time="$seconds" -rss_limit_mb=2048 \
       -artifact_prefix=$B/findings/"$t"- "$work" >$B/"$t".log 2>&1; then
    echo "fuzz $t: $(grep -o 'Done [0-9]* runs' $B/"$t".log), no finding"
  else
    echo "fuzz $t: FINDING"; tail -n 30 $B/"$t".log; return 1
  fi
}
status=0
for pair in "form_loader picture" "font_record request"; do
  pids=()
  for t in $pair; do run "$t" & pids+=($!); done
  for p in "${pids[@]}"; do wait "$p" || status=1; done
done
exit $status
