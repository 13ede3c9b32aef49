#!/usr/bin/env bash
# Installs what is missing, builds the release program and starts it on a ready default workspace.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset release
cmake --build --preset release -j2
if [ -x build/release/bin/tovana ]; then
  exec build/release/bin/tovana "$@"
fi
echo "The program window is not built yet; the libraries and tests are in build/release."
