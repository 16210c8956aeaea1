#!/usr/bin/env bash
# Timedemo on every level at 640x480 and 1280x720 under Xvfb. Each level is
# first recorded without drawing (a fixed 30 Hz step, FRAMES frames: the robot
# lands and the autopilot walks it along the level's route, so the camera sweeps
# the world as in play), then replayed full-screen on a virtual screen
# of each size with --timedemo, which also times one full-screen textured, lit,
# fogged layer on the same context.
# Usage: bench/timedemo.sh [BUILD_DIR]   (env: FRAMES=900, DISPLAY_NUMBER=99)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
FRAMES="${FRAMES:-900}"
DISPLAY_NUMBER="${DISPLAY_NUMBER:-99}"
EXE="$BUILD/zappatron"
WORK="$(mktemp -d)"
XVFB_PID=""

cleanup()
{
	if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
	rm -rf "$WORK"
}
trap cleanup EXIT

export ZAPPATRON_HEADLESS=1 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 XDG_DATA_HOME="$WORK/xdg"

for level in 0 1 2 3 4 5 6 7 8 9; do
	env -u DISPLAY "$EXE" --no-draw --level "$level" --fixed-step 30 --frames "$FRAMES" --seed 1 \
		--autopilot --route-check --record "$WORK/level$level.rec" > /dev/null 2>&1
done

printf "%-5s %-9s %7s %9s %9s %9s %9s %9s %9s %7s\n" level size frames "avg fps" "median" "1% low" logic drawing layer "frame/layer"
for size in 640x480 1280x720; do
	Xvfb ":$DISPLAY_NUMBER" -screen 0 "${size}x24" -nolisten tcp > "$WORK/xvfb.log" 2>&1 &
	XVFB_PID=$!
	sleep 2
	for level in 0 1 2 3 4 5 6 7 8 9; do
		out="$(DISPLAY=":$DISPLAY_NUMBER" "$EXE" --timedemo "$WORK/level$level.rec" 2>&1)" || { echo "level $level: failed"; echo "$out"; continue; }
		echo "$out" | awk -v level="$level" -v size="$size" '
			/^timedemo: [0-9]+x[0-9]+,/ { frames = $3; fps = $5; median = $9; low = $13 }
			/^timedemo: logic/ { logic = $3; drawing = $7 }
			/^timedemo: full-screen layer/ { layer = $7; ratio = $12 }
			END { printf "%-5s %-9s %7s %9s %9s %9s %9s %9s %9s %7s\n", level, size, frames, fps, median " ms", low " ms", logic " ms", drawing " ms", layer " ms", ratio }'
	done
	kill "$XVFB_PID"; wait "$XVFB_PID" 2>/dev/null || true; XVFB_PID=""
done
