#!/usr/bin/env bash
# Builds the data file reader's libFuzzer target with clang and AddressSanitizer, reads the odd
# files of its corpus and two made here (one line of 100 MB, a million columns) once each, then
# fuzzes for 60 seconds from the corpus. Any crash, leak or hang fails.
set -euo pipefail
build=${1:-build-fuzz}
jobs=${2:-2}
# clang finds libquadmath's header (the library's quadruple-precision moments) beside gcc's.
quadmath=$build/quadmath-include
mkdir -p "$quadmath"
for header in quadmath.h quadmath_weak.h; do
  ln -sf "$(gcc -print-file-name=include/$header)" "$quadmath/$header"
done
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
  -DVELMORA_WINDOWS=OFF -DVELMORA_BENCHMARKS=OFF -DBUILD_TESTING=OFF -DVELMORA_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address -isystem $(realpath "$quadmath")" >/dev/null
cmake --build "$build" -j"$jobs" --target datafile_fuzz
corpus=$(mktemp -d)
big=$(mktemp -d)
trap 'rm -rf "$corpus" "$big"' EXIT
cp tests/fuzz/corpus/* "$corpus"/
head -c 100000000 /dev/zero | tr '\0' '7' > "$big/long-line.csv"
python3 -c "import sys; sys.stdout.write(','.join(['1'] * 1000000) + '\n')" > "$big/million-columns.csv"
"$build/tests/fuzz/datafile_fuzz" -rss_limit_mb=4096 "$big"/* tests/fuzz/corpus/*
"$build/tests/fuzz/datafile_fuzz" -max_total_time=60 -timeout=10 -max_len=65536 "$corpus"
