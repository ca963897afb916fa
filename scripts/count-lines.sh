#!/usr/bin/env bash
# Counts the lines of C++ and CMake (*.cpp *.h *.hpp CMakeLists.txt *.cmake) that git tracks,
# build folders left out: tests/ against everything else, and the tests' share of the whole.
# The project keeps tests at most about a third of all these lines.
set -euo pipefail
cd "$(dirname "$0")/.."

files() {
    git ls-files | grep -E '(\.(cpp|h|hpp|cmake)|(^|/)CMakeLists\.txt)$' |
        grep -vE '(^|/)build[^/]*/'
}
lines() { tr '\n' '\0' | xargs -0 -r cat | wc -l; }

tests=$(files | grep -E '^tests/' | lines)
rest=$(files | grep -vE '^tests/' | lines)
total=$((tests + rest))
printf 'tests   %6d\nrest    %6d\ntotal   %6d\nshare   %6s %%\n' "$tests" "$rest" "$total" \
    "$(awk -v t="$tests" -v a="$total" 'BEGIN { printf "%.1f", a ? 100 * t / a : 0 }')"
