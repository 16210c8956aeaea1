#!/usr/bin/env bash
# Sets up (packages, build, baked Data folder) and starts the game.
# Extra arguments go to the game, e.g. scripts/play.sh --skip-fluff
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build zappatron
exec build/zappatron "$@"
