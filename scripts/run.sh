#!/bin/sh
# Installs what is missing, builds the program (and only what it links) and starts it;
# arguments go to the program. The test command builds the rest.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
BUILD_TARGETS=quelmark ./scripts/build.sh
exec ./build/src/quelmark "$@"
