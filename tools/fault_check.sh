#!/usr/bin/env bash
# How many hand-made faults the fast suite catches. Each patch of tools/faults/
# is one realistic slip at one place; it is applied to a scratch copy of the
# tree, the copy is rebuilt and `ctest -LE 'slow|windows'` runs until the first
# failing test. A fault is caught when a test fails; a patch that does not build
# is reported apart and not counted. The real tree is never touched.
#   tools/fault_check.sh [PATCH...]     every tools/faults/*.patch by default
# FAULT_WORK (default /tmp/kelvo-faults) keeps the copy, its build and the logs
# between runs, so a second run rebuilds only what changed; FAULT_JOBS (2).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${FAULT_WORK:-/tmp/kelvo-faults}
jobs=${FAULT_JOBS:-2}
src=$work/src build=$work/src/build logs=$work/logs
patches=("$@")
[ ${#patches[@]} -gt 0 ] || patches=("$root"/tools/faults/*.patch)

# The tree as it stands, uncommitted changes included; files gone from it go
# from the copy too.
mkdir -p "$src" "$logs"
(cd "$root" && git ls-files --cached --others --exclude-standard | while read -r f; do [ -e "$f" ] && echo "$f"; done) \
  | sort >"$work/files"
# Copied only when changed, and then with a fresh time, so make rebuilds it.
while read -r f; do
  cmp -s "$root/$f" "$src/$f" || { mkdir -p "$src/$(dirname "$f")" && cp "$root/$f" "$src/$f"; }
done <"$work/files"
(cd "$src" && find . -path ./build -prune -o -type f -printf '%P\n' | sort | comm -23 - "$work/files" | xargs -r rm -f)

if [ ! -f "$build/CMakeCache.txt" ]; then
  # ccache makes the second run cheap, but a fresh machine may not have it.
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_BENCH=OFF \
    "${launcher[@]}" >"$logs/configure.txt" 2>&1 || { cat "$logs/configure.txt"; exit 2; }
fi

# Runs the fast suite; prints the first failing test, or nothing when all pass.
suite() {
  ctest --test-dir "$build" -LE 'slow|windows' -j"$jobs" --timeout 300 --stop-on-failure >"$1" 2>&1 && return 0
  local failed
  # Only the list of failures: the list of tests that did not run comes first.
  failed=$(sed -n '/tests FAILED:/,$ s/^[[:space:]]*[0-9]* - \(.*\) (.*/\1/p' "$1" | head -1)
  echo "${failed:-ctest failed}"
  return 1
}

applied=""
restore() {
  [ -z "$applied" ] || (cd "$src" && patch -s -R -p1 <"$applied") || echo "could not take back $applied" >&2
  applied=""
}
trap restore EXIT
trap 'exit 130' INT TERM

cmake --build "$build" -j"$jobs" >"$logs/build.txt" 2>&1 || { tail -30 "$logs/build.txt"; exit 2; }
if ! first=$(suite "$logs/suite.txt"); then
  echo "the suite fails without any fault ($first): see $logs/suite.txt"
  exit 2
fi

caught=0 counted=0 stale=0
for p in "${patches[@]}"; do
  name=$(basename "$p" .patch)
  start=$SECONDS
  if ! (cd "$src" && patch -s -p1 --dry-run <"$p" >/dev/null && patch -s -p1 <"$p"); then
    printf '%-45s does not apply\n' "$name"
    stale=$((stale + 1))
    continue
  fi
  applied=$p
  if ! cmake --build "$build" -j"$jobs" >"$logs/$name.build.txt" 2>&1; then
    verdict="does not build"
  elif first=$(suite "$logs/$name.txt"); then
    verdict="MISSED"
    counted=$((counted + 1))
  else
    verdict="caught by $first"
    caught=$((caught + 1)) counted=$((counted + 1))
  fi
  restore
  printf '%-45s %s (%ds)\n' "$name" "$verdict" $((SECONDS - start))
done
echo "score: $caught of $counted faults caught"
# A patch left behind by the code it patched tests nothing: say so, not just less.
[ "$stale" -eq 0 ] || echo "$stale patches no longer apply: rewrite them against the code as it stands"
