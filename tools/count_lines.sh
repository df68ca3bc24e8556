#!/usr/bin/env bash
# Code lines of the tests against the product: lines that are neither blank nor
# only comment (// and /* */ in C++, # in shell, Python and CMake). Data files
# (golden data, seed files, books) are not code and are not counted.
#   tools/count_lines.sh        run from anywhere inside the tree
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
  git ls-files -- "$@" | while read -r f; do
    case "$f" in
      *.cpp|*.h) echo "c $f" ;;
      *.sh|*.py|*CMakeLists.txt|*.cmake) echo "h $f" ;;
    esac
  done | awk '
    function flush() { }
    $1 == "c" { while ((getline line < $2) > 0) { c += cpp(line) } close($2); next }
    $1 == "h" { while ((getline line < $2) > 0) { if (line !~ /^[ \t]*(#.*)?$/) c++ } close($2); next }
    # One C++ line: code outside comments left after removing them?
    function cpp(line,   out, i) {
      out = ""
      while (length(line) > 0) {
        if (incomment) {
          i = index(line, "*/")
          if (i == 0) return 0 + (out ~ /[^ \t]/)
          line = substr(line, i + 2); incomment = 0
        } else {
          i = match(line, /\/\/|\/\*/)
          if (i == 0) { out = out line; break }
          out = out substr(line, 1, i - 1)
          if (substr(line, i, 2) == "//") break
          line = substr(line, i + 2); incomment = 1
        }
      }
      return out ~ /[^ \t]/
    }
    END { print c + 0 }'
}

tests=$(count tests)
code=$(count engine console gui support tools)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d, code %d: %.1f %%\n", t, c, 100 * t / c }'
