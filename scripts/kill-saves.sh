#!/usr/bin/env bash
# Kills the save writer with SIGKILL KILLS times (default 200) and checks the
# files after each kill (the SaveKill integration test, at length).
# Usage: scripts/kill-saves.sh [KILLS] [BUILD_DIR]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${2:-$ROOT/build}"
ninja -C "$BUILD" -j2 integration_tests save_churn zappatron >/dev/null
ZAPP_SAVE_KILLS="${1:-200}" ZAPPATRON_HEADLESS=1 SDL_AUDIODRIVER=dummy \
	"$BUILD/tests/integration_tests" --gtest_filter='SaveKill.*'
