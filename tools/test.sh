#!/usr/bin/env bash
# Installs what is missing, builds Quillet and runs every test.
#   tools/test.sh              warnings as errors, build in build/
#   tools/test.sh --sanitize   the same under AddressSanitizer + UBSan, in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize=OFF
build=build
if [ "${1:-}" = "--sanitize" ]; then
    sanitize=ON
    build=build-asan
fi

if [ "$(id -u)" -eq 0 ]; then
    tools/install-deps.sh
else
    sudo tools/install-deps.sh
fi

cmake -S . -B "$build" -G Ninja -DQUILLET_WERROR=ON -DQUILLET_SANITIZE="$sanitize"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
