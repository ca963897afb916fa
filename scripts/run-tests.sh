#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
# With a compiler cache on the machine, paths below the checkout are hashed relative to it, so a
# fresh clone in another folder reuses what an earlier run compiled.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j2

# The same suite again under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer
# with the compiler's own runtimes (g++ needs nothing more; Qt itself is not instrumented). -O1
# keeps the instrumented tests quick (the JSON tests run six times faster than at -O0) for little
# more build time; tests/lsan.supp lists leaks inside the uninstrumented libraries that are not
# ours to fix.
# This build uses CMake's default generator (Unix Makefiles), so that both generators are known to
# build; a folder left by an earlier Ninja configuration is made afresh.
if grep -qs '^CMAKE_GENERATOR:INTERNAL=Ninja$' build-asan/CMakeCache.txt; then rm -rf build-asan; fi
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DFIXTURE_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
  LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j2
