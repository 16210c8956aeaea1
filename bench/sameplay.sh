#!/usr/bin/env bash
# What a player would notice, written to one folder so two builds can be
# compared with `diff -r`: a checksum of every baked Data file, the autopilot's
# `LEVEL n done` line for every level on seeds 1-3 (logic-only, fixed step),
# and screenshots of five levels with the seed pinned. For refactors that must
# change nothing: run it before and after, then diff the two folders.
# Usage: bench/sameplay.sh [BUILD_DIR] OUT_DIR   (needs Xvfb for the pictures)
set -uo pipefail
BUILD=${2:+$1}; BUILD=${BUILD:-build}
OUT=${2:-$1}
GAME="$BUILD/zappatron"
[ -x "$GAME" ] || { echo "no game at $GAME"; exit 2; }
mkdir -p "$OUT/shots"

(cd "$BUILD/Data" && find . -type f -print0 | sort -z | xargs -0 sha256sum) > "$OUT/data.sha256"

# Logic-only playthroughs, two at a time.
: > "$OUT/levels.txt"
run_level() {
	local level=$1 seed=$2 line
	line=$(env -u DISPLAY XDG_DATA_HOME="$(mktemp -d)" ZAPPATRON_HEADLESS=1 SDL_AUDIODRIVER=dummy \
		"$GAME" --no-draw --autopilot --level "$level" --seed "$seed" --fixed-step 30 \
		--quit-after-levels 1 --frames 20000 --check-invariants 2>&1 | grep -E '^LEVEL [0-9]+ done' | head -1)
	echo "level=$level seed=$seed ${line:-NOT FINISHED}"
}
export -f run_level
export GAME
for level in 0 1 2 3 4 5 6 7 8 9; do for seed in 1 2 3; do echo "$level $seed"; done; done |
	xargs -P 2 -n 2 bash -c 'run_level "$0" "$1"' | sort -V > "$OUT/levels.txt"

# Drawn frames: a private X server, the software renderer, the seed pinned.
DISPLAY_NUM=""
for n in $(seq 150 190); do
	if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then DISPLAY_NUM=$n; break; fi
done
Xvfb ":$DISPLAY_NUM" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
trap 'kill $XVFB 2>/dev/null' EXIT
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$DISPLAY_NUM" ] && break; sleep 0.1; done
for level in 0 3 5 7 9; do
	DISPLAY=":$DISPLAY_NUM" LIBGL_ALWAYS_SOFTWARE=1 XDG_DATA_HOME="$(mktemp -d)" ZAPPATRON_HEADLESS=1 \
		SDL_AUDIODRIVER=dummy "$GAME" --windowed --skip-fluff --level "$level" --seed 1 --fixed-step 30 \
		--autopilot --frames 150 --screenshot "$OUT/shots/level$level.png" >/dev/null 2>&1
	sha256sum "$OUT/shots/level$level.png" | sed "s@$OUT/shots/@@"
done > "$OUT/shots.sha256"
echo "written to $OUT: $(wc -l < "$OUT/data.sha256") Data files, $(grep -c done "$OUT/levels.txt") of 30 levels done, $(wc -l < "$OUT/shots.sha256") pictures"
