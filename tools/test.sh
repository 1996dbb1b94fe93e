#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: core_tests and ui_tests, core_tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer, core_tests built for Windows and run under
# Wine, and a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/ensure-packages.sh
jobs=$(nproc)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

echo "== Bygger och testar"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELORA_BENCH=ON >/dev/null
cmake --build build
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs") | tee -a "$log"

echo "== core_tests med AddressSanitizer och UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELORA_UI=OFF -DPELORA_SANITIZE=ON >/dev/null
cmake --build build-asan --target core_tests
(cd build-asan && ctest --output-on-failure -j "$jobs") | tee -a "$log"

echo "== core_tests för Windows, under Wine"
windows=0
tools/windows/core-tests.sh | tee -a "$log" || windows=$?

if [ -d fuzz ] && [ -f fuzz/CMakeLists.txt ]; then
  echo "== Fuzzning, kort"
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DPELORA_UI=OFF -DPELORA_TESTS=OFF -DPELORA_FUZZ=ON >/dev/null
  cmake --build build-fuzz
  for target in build-fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=build-fuzz/corpus-$name
    mkdir -p "$corpus"
    seeds=fuzz/seeds/${name#fuzz_}
    echo "-- $name"
    "$target" -max_total_time="${PELORA_FUZZ_SECONDS:-20}" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=0 "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) 2>&1 | tail -n 2
  done
fi

passed=$(grep -Eo 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" |
         awk '{ total += $NF; failed += $3 } END { print total - failed }')
failed=$(grep -Eo 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" |
         awk '{ failed += $3 } END { print failed + 0 }')
echo "Pelora: $passed passed, $failed failed"
count() { git ls-files -- "$@" | grep -E '\.(cpp|h|hpp|cc)$' | xargs -r cat | grep -cvE '^\s*(//.*)?$'; }
if git rev-parse --git-dir >/dev/null 2>&1; then
  code=$(count src); tests=$(count tests)
  echo "Testrader: $tests mot $code rader kod ($(( 100 * tests / code )) %)"
fi
grep -E '^core_tests.exe under Wine' "$log" || echo "core_tests.exe under Wine: kördes inte"
[ "$failed" -eq 0 ] && [ "$windows" -eq 0 ]
