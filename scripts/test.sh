#!/bin/sh
# Installs what is missing, builds with warnings as errors, runs every test,
# a short fuzzing run of the document reader and the benchmarks.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

BUILD_DIR=build-test BUILD_TYPE=RelWithDebInfo ./scripts/build.sh -DQUELMARK_WERROR=ON
# Tests never touch a real user's settings or display.
export QUELMARK_SETTINGS="$PWD/build-test/test-settings.ini"
# A private CUPS server with a PDF queue for the printing tests, stopped
# however the run ends.
cups=$(./scripts/test-cups.sh start)
eval "$cups"
trap './scripts/test-cups.sh stop "${QUELMARK_TEST_CUPS_DIR:-}"' EXIT
ctest --test-dir build-test --output-on-failure -j2 --timeout 300

./scripts/fuzz.sh "${FUZZ_SECONDS:-60}"

for b in build-test/bench/*; do
  [ -x "$b" ] && [ -f "$b" ] && "$b"
done
echo "all tests passed"
