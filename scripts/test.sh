#!/usr/bin/env bash
# Installs what is missing, builds everything warning-free (warnings are errors)
# and runs the whole test suite through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --tests
cmake --preset ci
cmake --build --preset ci -j "$(nproc)"
ctest --preset ci -j "$(nproc)"
