#!/usr/bin/env bash
# Builds the release programs and makes the Debian package build/release/tovana_<version>_<arch>.deb,
# to be installed with `apt install ./tovana_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset release
cmake --build --preset release -j2
cd build/release
cpack -G DEB
ls -1 "$PWD"/tovana_*.deb
