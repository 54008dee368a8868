#!/bin/sh
# Installs what is missing, checks the format, builds with warnings as errors, runs every test,
# the same under the sanitizers, a short fuzzing run of the document reader and the benchmarks.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

# Every source file is in the project's format.
find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror

BUILD_DIR=build-test BUILD_TYPE=RelWithDebInfo ./scripts/build.sh -DQUELMARK_WERROR=ON
# Tests never touch a real user's settings or display.
export QUELMARK_SETTINGS="$PWD/build-test/test-settings.ini"
# A private CUPS server with a PDF queue for the printing tests, stopped
# however the run ends.
cups=$(./scripts/test-cups.sh start)
eval "$cups"
trap './scripts/test-cups.sh stop "${QUELMARK_TEST_CUPS_DIR:-}"' EXIT
ctest --test-dir build-test --output-on-failure -j2 --timeout 300

# The same suite once more under AddressSanitizer and UBSan; any report fails it.
BUILD_DIR=build-asan BUILD_TYPE=Debug ./scripts/build.sh -DQUELMARK_WERROR=ON -DQUELMARK_SANITIZE=ON \
  -DQUELMARK_BENCH=OFF
export QUELMARK_SETTINGS="$PWD/build-asan/test-settings.ini"
# SANE's test backend leaves memory behind in its reader thread and is then
# unloaded, so no leak there can be told from ours: the scanner cases run
# with every check but the leak report.
scanning='^(Scanner\.|AppTest\.Scan)'
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j2 --timeout 600 -E "$scanning"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j2 --timeout 600 -R "$scanning"
export QUELMARK_SETTINGS="$PWD/build-test/test-settings.ini"

./scripts/fuzz.sh "${FUZZ_SECONDS:-60}"

for b in build-test/bench/*; do
  [ -x "$b" ] && [ -f "$b" ] && "$b"
done
echo "all tests passed"
