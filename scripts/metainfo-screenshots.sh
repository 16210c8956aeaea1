#!/usr/bin/env bash
# Makes the pictures the AppStream metainfo names, under the file names its
# URLs end in, at the size it states (1280×720): the game's window takes two
# thirds of a private 1920×1080 X server, the autopilot plays with the seed
# pinned, so the same tree gives the same pictures. Publishing them at
# those URLs is a separate step.
# Usage: scripts/metainfo-screenshots.sh [BUILD_DIR] OUT_DIR
set -euo pipefail
BUILD=${2:+$1}; BUILD=${BUILD:-build}
OUT=${2:-${1:-}}
[ -n "$OUT" ] || { echo "usage: $0 [BUILD_DIR] OUT_DIR"; exit 2; }
GAME="$BUILD/zappatron"
[ -x "$GAME" ] || { echo "no game at $GAME"; exit 2; }
mkdir -p "$OUT"

DISPLAY_NUM=""
for n in $(seq 150 190); do
	if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then DISPLAY_NUM=$n; break; fi
done
[ -n "$DISPLAY_NUM" ] || { echo "no free X display"; exit 1; }
Xvfb ":$DISPLAY_NUM" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
SCRATCH=$(mktemp -d)
trap 'kill $XVFB 2>/dev/null; rm -rf "$SCRATCH"' EXIT
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$DISPLAY_NUM" ] && break; sleep 0.1; done

# name, level, frames of autopilot play before the picture
shots=("farm 0 240" "city 3 240" "jungle 5 240" "fire-and-ice 7 240")
for shot in "${shots[@]}"; do
	read -r name level frames <<<"$shot"
	DISPLAY=":$DISPLAY_NUM" LIBGL_ALWAYS_SOFTWARE=1 XDG_DATA_HOME="$SCRATCH/xdg" ZAPPATRON_HEADLESS=1 \
		SDL_AUDIODRIVER=dummy "$GAME" --windowed --skip-fluff --level "$level" --seed 1 --fixed-step 30 \
		--autopilot --frames "$frames" --screenshot "$OUT/$name.png" >/dev/null
	echo "$OUT/$name.png"
done
