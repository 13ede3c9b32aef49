#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer, runs every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset debug
cmake --build --preset debug -j2
ctest --preset debug
