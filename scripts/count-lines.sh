#!/usr/bin/env bash
# Counts the lines of C++ and CMake (*.cpp *.h *.hpp CMakeLists.txt *.cmake) that git tracks,
# build folders left out: tests/ against the product's own lines (everything else), and the
# tests as a share of the product. The project keeps that share at most 40 %.
set -euo pipefail
cd "$(dirname "$0")/.."

files() {
    git ls-files | grep -E '(\.(cpp|h|hpp|cmake)|(^|/)CMakeLists\.txt)$' |
        grep -vE '(^|/)build[^/]*/'
}
lines() { tr '\n' '\0' | xargs -0 -r cat | wc -l; }

tests=$(files | grep -E '^tests/' | lines)
rest=$(files | grep -vE '^tests/' | lines)
printf 'tests   %6d\nproduct %6d\nshare   %6s %% (tests against the product)\n' "$tests" "$rest" \
    "$(awk -v t="$tests" -v p="$rest" 'BEGIN { printf "%.1f", p ? 100 * t / p : 0 }')"
