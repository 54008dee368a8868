#!/bin/sh
# Runs the window tests' Wayland case in a private headless Weston, started
# here with its own runtime folder and stopped however the run ends.
#   test-weston.sh TEST_APP   (ctest runs it; weston comes from install-deps.sh)
# A compositor that does not start, or a case that skips, fails the run.
set -e
dir=$(mktemp -d /tmp/quelmark-weston.XXXXXX)
chmod 0700 "$dir"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$dir"' EXIT
XDG_RUNTIME_DIR="$dir" weston --no-config --backend=headless-backend.so --socket=quelmark \
  --idle-time=0 </dev/null >"$dir/weston.log" 2>&1 &
pid=$!
tries=0
until [ -S "$dir/quelmark" ]; do
  tries=$((tries + 1))
  if ! kill -0 "$pid" 2>/dev/null || [ "$tries" -gt 100 ]; then
    echo "test-weston.sh: weston did not start" >&2
    cat "$dir/weston.log" >&2
    exit 1
  fi
  sleep 0.1
done
# The Wayland client libraries keep allocations past exit: under the
# sanitizers everything is checked there but leaks.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
XDG_RUNTIME_DIR="$dir" WAYLAND_DISPLAY=quelmark QT_QPA_PLATFORM=wayland \
  timeout 120 "$1" --gtest_filter='AppTest.UnderWayland*' >"$dir/test.log" 2>&1 || status=$?
cat "$dir/test.log"
if [ "${status:-0}" -ne 0 ] || ! grep -q '^\[  PASSED  \] 1 test' "$dir/test.log" ||
  grep -q '^\[  SKIPPED \]' "$dir/test.log"; then
  echo "test-weston.sh: the Wayland case failed or did not run" >&2
  exit 1
fi
