#!/usr/bin/env bash
# The project's test command: builds and runs the suite, then again under the address and
# undefined-behaviour sanitizers; replays the fuzz corpora in both builds and, where clang is
# present, runs each fuzzer for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

echo "== plain build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== sanitizer build"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DORVELLA_SANITIZE=ON -DORVELLA_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j"$jobs"

if command -v clang++ >/dev/null 2>&1 && ls fuzz/*_fuzz.cpp >/dev/null 2>&1; then
  echo "== fuzzers"
  cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVELLA_FUZZ=ON -DORVELLA_BENCH=OFF >/dev/null
  cmake --build build-fuzz -j"$jobs"
  seconds=${FUZZ_SECONDS:-40}
  for src in fuzz/*_fuzz.cpp; do
    name=$(basename "$src" .cpp)
    # fuzz/<name>.options: further libFuzzer flags for one target, one a line ("#" comments);
    # they come last and so win (a larger -max_len for inputs that fill the lists).
    options=()
    if [ -f "fuzz/$name.options" ]; then
      mapfile -t options < <(grep -v -e '^[[:space:]]*#' -e '^[[:space:]]*$' "fuzz/$name.options")
    fi
    work=$(mktemp -d)
    cp -r "fuzz/corpus/$name/." "$work/" 2>/dev/null || true
    "build-fuzz/fuzz/$name" -max_total_time="$seconds" -max_len=65536 ${options[@]+"${options[@]}"} "$work" 2>&1 | tail -n 3
    rm -rf "$work"
  done
fi
echo "== all tests passed"
