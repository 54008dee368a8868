#!/bin/sh
# Builds the fuzz targets with clang (ASan, UBSan, libFuzzer) and runs each
# for the given number of seconds (default 60) over the committed seeds.
set -e
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${1:-60}
CC=clang CXX=clang++ BUILD_DIR=build-fuzz BUILD_TYPE=RelWithDebInfo ./scripts/build.sh \
  -DQUELMARK_FUZZ=ON -DQUELMARK_TESTS=OFF -DQUELMARK_BENCH=OFF
export QT_QPA_PLATFORM=offscreen
export QUELMARK_SETTINGS="$PWD/build-fuzz/fuzz-settings.ini"
for target in build-fuzz/tests/fuzz/*Fuzz; do
  name=$(basename "$target")
  corpus="build-fuzz/corpus-$name"
  mkdir -p "$corpus"
  echo "fuzzing $name for $SECONDS_PER_TARGET s"
  log="build-fuzz/$name.log"
  if ! "$target" -max_total_time="$SECONDS_PER_TARGET" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
      -print_final_stats=1 "$corpus" "tests/fuzz/seeds/$name" >"$log" 2>&1; then
    cat "$log"
    echo "$name found a fault; the input is in $PWD (crash-*, timeout-*, oom-*)" >&2
    exit 1
  fi
  tail -n 8 "$log"
done
