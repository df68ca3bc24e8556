#!/usr/bin/env bash
# Speed figures on this machine, in sections:
#   perft   kelvo perft 6 against Stockfish's perft 6, run back to back
#   micro   the Google Benchmark micro-benchmarks, when built
# Usage: tools/bench.sh BUILD_DIR        (BENCH_RUNS=N repeats each timing, default 3)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
kelvo="$build/console/kelvo"
runs=${BENCH_RUNS:-3}
stockfish=$(command -v stockfish || echo /usr/games/stockfish)

# Stockfish's perft: send the command, wait for its total, then quit.
stockfish_perft() {
  local line
  coproc SF { "$stockfish"; }
  echo "go perft $1" >&"${SF[1]}"
  while IFS= read -r line <&"${SF[0]}"; do
    case $line in "Nodes searched"*) echo "$line"; break ;; esac
  done
  echo quit >&"${SF[1]}"
  wait "$SF_PID" 2>/dev/null || true
}

kelvo_perft() { "$kelvo" perft "$1" | tail -n 1; }

# Seconds taken by the fastest of $runs runs of a command.
best_time() {
  local best="" start end
  for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    best=$(awk -v s="$start" -v e="$end" -v b="$best" 'BEGIN { t = e - s; if (b == "" || t < b) b = t; printf "%.3f", b }')
  done
  echo "$best"
}

section_perft() {
  echo "== Perft: initial position, depth 6"
  lscpu | grep 'Model name' | sed 's/^Model name: */machine: /' || true
  if [ ! -x "$kelvo" ]; then echo "kelvo not built at $kelvo"; return; fi
  if [ ! -x "$stockfish" ]; then echo "stockfish not installed"; return; fi
  echo "kelvo:     $(kelvo_perft 6)"
  echo "stockfish: $(stockfish_perft 6)"
  local k s
  if command -v hyperfine >/dev/null; then
    export -f stockfish_perft kelvo_perft
    export stockfish kelvo
    local csv
    csv=$(mktemp)
    hyperfine --shell=bash --runs "$runs" --style basic --export-csv "$csv" \
      -n kelvo 'kelvo_perft 6' -n stockfish 'stockfish_perft 6'
    # columns: command,mean,stddev,median,user,system,min,max
    k=$(awk -F, '$1 == "kelvo" { printf "%.3f", $7 }' "$csv")
    s=$(awk -F, '$1 == "stockfish" { printf "%.3f", $7 }' "$csv")
    rm -f "$csv"
  else
    k=$(best_time kelvo_perft 6)
    s=$(best_time stockfish_perft 6)
  fi
  echo "kelvo perft 6:     ${k} s (best of $runs)"
  echo "stockfish perft 6: ${s} s (best of $runs)"
  awk -v k="$k" -v s="$s" 'BEGIN { printf "ratio:             %.1f x stockfish\n", k / s }'
}

section_micro() {
  echo "== Micro-benchmarks"
  if [ -x "$build/bench/kelvo_bench" ]; then
    "$build/bench/kelvo_bench"
  else
    echo "kelvo_bench not built (needs libbenchmark-dev)"
  fi
}

section_perft
section_micro

section_search() {
  echo "== Search: kelvo bench (built-in suite, depth 4)"
  if [ ! -x "$kelvo" ]; then echo "kelvo not built at $kelvo"; return; fi
  local best="" out nps
  for _ in $(seq "$runs"); do
    out=$("$kelvo" bench | tail -n 3)
    nps=$(echo "$out" | awk -F: '/Nodes\/second/ { gsub(/ /, "", $2); print $2 }')
    if [ -z "$best" ] || [ "$nps" -gt "$best" ]; then best=$nps; fi
  done
  echo "$out" | grep 'Nodes searched'
  echo "kelvo bench:     $best nodes/s (best of $runs)"
}

# The strong search (the levels above the fixed one) on the same suite, to a
# fixed depth, and the time it takes to depth 8 from the initial position.
section_strong() {
  echo "== Strong search: kelvo bench --level 10 --depth 8 (built-in suite)"
  if [ ! -x "$kelvo" ]; then echo "kelvo not built at $kelvo"; return; fi
  local best="" out nps start
  for _ in $(seq "$runs"); do
    out=$("$kelvo" bench --level 10 --depth 8 | tail -n 3)
    nps=$(echo "$out" | awk -F: '/Nodes\/second/ { gsub(/ /, "", $2); print $2 }')
    if [ -z "$best" ] || [ "$nps" -gt "$best" ]; then best=$nps; fi
  done
  echo "$out" | grep 'Nodes searched'
  echo "strong search:   $best nodes/s (best of $runs)"
  start=$(mktemp)
  echo "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1" >"$start"
  echo "depth 8 from the initial position: $("$kelvo" bench --level 10 --depth 8 "$start" | awk -F: '/Total time/ { gsub(/ /, "", $2); print $2 }') ms"
  rm -f "$start"
}

# Start-up with the default book: loading it is all kelvo does before "quit".
section_startup() {
  echo "== Start-up: echo quit | kelvo with the default book"
  if [ ! -f "$build/run/aperturas.pgn" ] || [ ! -x "$kelvo" ]; then echo "no book or no kelvo in $build"; return; fi
  local dir="$build/run" best="" line cpu
  for _ in $(seq 5); do
    line=$(cd "$dir" && echo quit | /usr/bin/time -f "%U %S %e %M" ../console/kelvo 2>&1 >/dev/null)
    cpu=$(echo "$line" | awk '{ printf "%.3f", $1 + $2 }')
    if [ -z "$best" ] || awk -v c="$cpu" -v b="${best%% *}" 'BEGIN { exit !(c < b) }'; then
      best="$cpu $(echo "$line" | awk '{ printf "%s s wall, max RSS %s KB", $3, $4 }')"
    fi
  done
  echo "start-up CPU (user + sys), best of 5: ${best%% *} s (${best#* })"
  if command -v valgrind >/dev/null; then
    local out
    out=$(mktemp)
    (cd "$dir" && echo quit | valgrind --tool=callgrind --callgrind-out-file="$out" ../console/kelvo 2>&1 >/dev/null) |
      awk '/Collected/ { printf "start-up instructions (callgrind): %d\n", $4 }'
    rm -f "$out"
  fi
  if command -v strace >/dev/null; then
    local calls
    calls=$(mktemp)
    (cd "$dir" && echo quit | strace -c -o "$calls" ../console/kelvo >/dev/null 2>&1) || true
    awk '$NF == "total" { print "start-up system calls: " $(NF-2) }' "$calls"
    rm -f "$calls"
  fi
}

section_search
section_strong
section_startup
