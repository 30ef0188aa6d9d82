#!/usr/bin/env bash
# Installs what is missing, builds under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DLUMERA_SANITIZE=ON -DLUMERA_BUILD_BENCH=OFF
cmake --build build-test -j2
ctest --test-dir build-test -j2 --output-on-failure --timeout 300
