#!/usr/bin/env bash
# Checks that the tracked C++ sources are laid out as .clang-format says;
# prints each place that differs and fails if there is any.
#   scripts/format-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang-format >/dev/null 2>&1; then
    echo "format-check: error: clang-format is missing (package clang-format)." >&2
    exit 1
fi
if ! git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror; then
    echo "format-check: error: the places above differ from .clang-format." >&2
    exit 1
fi
echo "format-check: every tracked C++ source follows .clang-format."
