#!/bin/sh
# Configures and builds into ${BUILD_DIR:-build} (Release unless BUILD_TYPE says otherwise):
# the targets named in ${BUILD_TARGETS} (space-separated), or everything.
set -e
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" "$@" >/dev/null
# shellcheck disable=SC2086
ninja -C "$BUILD_DIR" ${BUILD_TARGETS:-}
