#!/usr/bin/env bash
# Checks that every tracked C++ file is formatted as .clang-format says; lists the files that
# are not and exits non-zero. `clang-format -i FILE` formats one.
set -euo pipefail
cd "$(dirname "$0")/.."

git ls-files -z -- '*.cc' '*.h' | xargs -0 -r clang-format --dry-run --Werror
echo "format-check: every tracked .cc and .h file is formatted"
