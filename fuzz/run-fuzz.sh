#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for the given number of seconds, one after another, at the lowest priority.
#
#   fuzz/run-fuzz.sh [seconds-per-target] [target ...]
#
# Environment: BUILD_DIR (default build-fuzz), CXX (default clang++-14, else clang++),
# NO_BUILD=1 to run the targets already built there.
# The working corpora stay in $BUILD_DIR/corpus/<target> and grow from run to run; inputs that
# crash or break a checked property land in $BUILD_DIR/findings/<target>/. Exit status 1 when
# any target had a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build=${BUILD_DIR:-build-fuzz}
cxx=${CXX:-$(command -v clang++-14 || command -v clang++ || true)}
if [ -z "$cxx" ]; then
  echo "run-fuzz.sh: clang++ is needed (Debian: apt-get install clang libclang-rt-14-dev)" >&2
  exit 2
fi

if [ "${NO_BUILD:-0}" != 1 ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFIXTURE_BUILD_GUI=OFF -DFIXTURE_FUZZ=ON >/dev/null
  nice -n 19 cmake --build "$build" --target fuzz_all -j "${JOBS:-2}"
fi

bin="$build/fuzz"
rm -rf "$build/seeds"
"$bin/make_seeds" "$build/seeds"
# The importer's seeds are the sample definitions of the tests.
mkdir -p "$build/seeds/qxf_import"
cp tests/data/qxf/* "$build/seeds/qxf_import/"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for t in fuzz_fixture_image fuzz_chnameset fuzz_fixture_json fuzz_led_fixture fuzz_qxf_import \
           fuzz_clipboard; do
    [ -x "$bin/$t" ] && targets+=("$t")
  done
fi

declare -A maxlen=([fuzz_fixture_image]=8192 [fuzz_chnameset]=4096 [fuzz_fixture_json]=16384
                   [fuzz_led_fixture]=1024 [fuzz_qxf_import]=32768 [fuzz_clipboard]=16384)
summary=()
status=0
for t in "${targets[@]}"; do
  name=${t#fuzz_}
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  log="$build/logs/$name.log"
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  args=(-max_total_time="$seconds" -max_len="${maxlen[$t]:-8192}" -timeout=10
        -print_final_stats=1 -artifact_prefix="$findings/")
  [ -f "fuzz/$name.dict" ] && args+=(-dict="fuzz/$name.dict")
  echo "== $t for ${seconds}s (log: $log)"
  rc=0
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    nice -n 19 "$bin/$t" "${args[@]}" "$corpus" "$build/seeds/$name" >"$log" 2>&1 || rc=$?
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  count=$(find "$findings" -type f | wc -l)
  if [ "$rc" -ne 0 ] || [ "$count" -gt 0 ]; then
    status=1
    grep -m3 -E 'ERROR|property violated|runtime error' "$log" || true
  fi
  summary+=("$(printf '%-22s %14s executions  %3s findings  corpus %s' "$t" "$execs" "$count" \
    "$(find "$corpus" -type f | wc -l)")")
done

echo
printf '%s\n' "${summary[@]}"
exit $status
