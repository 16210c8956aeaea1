#!/usr/bin/env bash
# Timedemo on every level in the game's default window (853x480 on a 1280x720
# virtual screen). Each level is first recorded without drawing (a fixed 30 Hz
# step, FRAMES frames: the robot lands and the autopilot walks it along the
# level's route, so the camera sweeps the world as in play), then replayed with
# --timedemo. Just before each replay bench/fill.c times one screenful of
# textured, lit, fogged quads at the window's size on the same X server: the
# least a frame can cost here. "x fill" is the level's median frame over that;
# "x layer" is the timedemo's own back-to-back layer figure. The timedemo's
# split of the frame by pass follows each level's row when SPLIT=1.
# Usage: bench/timedemo.sh [BUILD_DIR]
#   env: FRAMES=900  DISPLAY_NUMBER=99  LEVELS="0 1 ... 9"  SCREEN=1280x720  SPLIT=0
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
FRAMES="${FRAMES:-900}"
DISPLAY_NUMBER="${DISPLAY_NUMBER:-99}"
LEVELS="${LEVELS:-0 1 2 3 4 5 6 7 8 9}"
SCREEN="${SCREEN:-1280x720}"
SPLIT="${SPLIT:-0}"
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

cc -O2 -o "$WORK/fill" "$ROOT/bench/fill.c" $(pkg-config --cflags --libs sdl2) -lGL

for level in $LEVELS; do
	env -u DISPLAY "$EXE" --no-draw --level "$level" --fixed-step 30 --frames "$FRAMES" --seed 1 \
		--autopilot --route-check --record "$WORK/level$level.rec" > /dev/null 2>&1
done

Xvfb ":$DISPLAY_NUMBER" -screen 0 "${SCREEN}x24" -nolisten tcp > "$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$DISPLAY_NUMBER" ] && break; sleep 0.1; done
sleep 0.5
export DISPLAY=":$DISPLAY_NUMBER"

echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
printf "%-5s %-8s %6s %8s %9s %9s %9s %9s %8s %8s %7s %7s\n" level size frames "avg fps" median "1% low" "low/med" logic "fill" "layer" "x fill" "x layer"
for level in $LEVELS; do
	out="$("$EXE" --windowed --timedemo "$WORK/level$level.rec" 2>&1)" || { echo "level $level: failed"; echo "$out"; continue; }
	size="$(echo "$out" | sed -n 's/^timedemo: \([0-9]*x[0-9]*\),.*/\1/p')"
	fill="$("$WORK/fill" 1 "${size%x*}" "${size#*x}" | sed -n 's/.*fps=\([0-9.]*\).*/\1/p')"
	echo "$out" | awk -v level="$level" -v size="$size" -v fillfps="$fill" '
		/^timedemo: [0-9]+x[0-9]+,/ { frames = $3; fps = $5; median = $9; low = $13 }
		/^timedemo: logic [0-9]/ { logic = $3 }
		/^timedemo: full-screen layer/ { layer = $7; ratio = $12 }
		END {
			fillms = (fillfps > 0) ? 1000 / fillfps : 0
			lowratio = (median > 0) ? low / median : 0
			fillratio = (fillms > 0) ? median / fillms : 0
			printf "%-5s %-8s %6s %8s %6.2f ms %6.2f ms %9.1f %6.3f ms %5.2f ms %5.2f ms %7.2f %7s\n",
				level, size, frames, fps, median, low, lowratio, logic, fillms, layer, fillratio, ratio }'
	if [ "$SPLIT" = 1 ]; then echo "$out" | grep -E '^timedemo: (pass|logic p99|allocations)' | sed 's/^timedemo: /      /'; fi
done
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
