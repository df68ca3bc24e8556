#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each for FUZZ_SECONDS seconds.
# Fails on any finding (crash, sanitizer report, leak, timeout, out of memory).
#   tools/fuzz.sh [BUILD_DIR]        FUZZ_SECONDS=60  FUZZ_TARGETS="pgn notation ..."
# Inputs that reached new code are kept in BUILD_DIR/corpus/<target> and feed
# the next run; findings go to BUILD_DIR/findings, logs to BUILD_DIR/logs.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build-fuzz}
case $build in /*) ;; *) build=$root/$build ;; esac
seconds=${FUZZ_SECONDS:-60}
targets=${FUZZ_TARGETS:-"command_loop uci_session pgn notation picture settings"}
per_input_timeout=${FUZZ_TIMEOUT:-25}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
fi
cmake --build "$build" -j"$(nproc)" || exit 1

mkdir -p "$build/findings" "$build/logs"
status=0
summary=()
for target in $targets; do
  binary=$build/${target}_fuzzer
  if [ ! -x "$binary" ]; then
    summary+=("$target: not built (the settings target needs Qt 6 Core)")
    continue
  fi
  corpus=$build/corpus/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus"
  options=()
  [ -f "fuzz/$target.dict" ] && options+=(-dict="$root/fuzz/$target.dict")
  # Command scripts and PGN files need room for several lines or games.
  case $target in
    command_loop | uci_session | pgn) options+=(-max_len=8192 -len_control=20) ;;
    *) options+=(-max_len=1024) ;;
  esac
  before=$(ls "$build/findings" | wc -l)
  echo "fuzz: $target for ${seconds}s"
  # Absolute paths throughout: the targets work in a scratch directory of their own.
  "$binary" -max_total_time="$seconds" -timeout="$per_input_timeout" -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$target-" "${options[@]}" \
    "$corpus" "$root/fuzz/corpus/$target" >"$log" 2>&1
  rc=$?
  after=$(ls "$build/findings" | wc -l)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ "$rc" -ne 0 ] || [ "$after" -ne "$before" ]; then
    status=1
    summary+=("$target: FAILED after ${runs:-?} executions (exit $rc), see $log")
    grep -E "ERROR|SUMMARY|runtime error|Test unit written" "$log" | head -20
  else
    summary+=("$target: ${runs:-?} executions, no finding")
  fi
done

echo "fuzz summary (${seconds}s per target):"
printf '  %s\n' "${summary[@]}"
exit $status
