#!/usr/bin/env bash
# Installs what Korva needs, builds it and starts the game on the demo scenario.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# Let ccache share results between checkouts in different directories.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
exec build/bin/korva --game-dir demo "$@"
