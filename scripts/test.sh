#!/usr/bin/env bash
# Sets up (packages, build, baked Data folder) and runs every test headless:
# unit and integration tests under a private Xvfb with Mesa's software
# renderer and SDL's dummy audio, the unit tests again under ASan/UBSan, and
# the fuzzers for a bounded time. Prints how long each phase took.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

# Each phase's wall time, printed as it ends and again at the end (also when
# a phase fails).
PHASE_NAMES=()
PHASE_SECONDS=()
PHASE_STARTED=$SECONDS
phase_done() {
	PHASE_NAMES+=("$1")
	PHASE_SECONDS+=($((SECONDS - PHASE_STARTED)))
	printf '== %s took %ds\n' "$1" $((SECONDS - PHASE_STARTED))
	PHASE_STARTED=$SECONDS
}
print_phases() {
	echo "== phase timings"
	for i in "${!PHASE_NAMES[@]}"; do
		printf '   %-34s %5ds\n' "${PHASE_NAMES[$i]}" "${PHASE_SECONDS[$i]}"
	done
	printf '   %-34s %5ds\n' "total" "$SECONDS"
}

scripts/setup.sh build
phase_done "setup and build"

# The desktop entry and the AppStream metainfo, as desktops and software
# centres read them. --no-net: the screenshots are named by their published
# URLs, which the validator would otherwise try to fetch.
echo "== desktop entry and metainfo"
desktop-file-validate dist/linux/*.desktop
appstreamcli validate --no-net dist/linux/*.metainfo.xml
phase_done "desktop files"

# A private X server on a free display; xvfb-run has been seen to hang.
DISPLAY_NUM=""
for n in $(seq 90 140); do
	if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then DISPLAY_NUM=$n; break; fi
done
[ -n "$DISPLAY_NUM" ] || { echo "no free X display"; exit 1; }
Xvfb ":$DISPLAY_NUM" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
SCRATCH=$(mktemp -d)
cleanup() { kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$SCRATCH"; print_phases; }
trap cleanup EXIT
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$DISPLAY_NUM" ] && break; sleep 0.1; done

export DISPLAY=":$DISPLAY_NUM"
export LIBGL_ALWAYS_SOFTWARE=1
export SDL_AUDIODRIVER=dummy
export ZAPPATRON_HEADLESS=1
export XDG_DATA_HOME="$SCRATCH/xdg"
mkdir -p "$XDG_DATA_HOME"

echo "== unit and integration tests"
ctest --test-dir build --output-on-failure -j2
phase_done "unit and integration tests"

# The sanitizer build has no game and bakes nothing: its tests read the main
# build's Data folder, baked by the same baker code.
echo "== unit tests under AddressSanitizer and UBSan: build"
LAUNCHER=()
if command -v ccache >/dev/null; then
	LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZAPP_SANITIZE=ON -DZAPP_GAME=OFF -DZAPP_BENCH=OFF \
	-DZAPP_TEST_DATA_DIR="$ROOT/build/Data" "${LAUNCHER[@]}"
cmake --build build-asan --target unit_tests
phase_done "sanitizer build"

echo "== unit tests under AddressSanitizer and UBSan"
# Without the baker's same-bytes checks (label bake_output): they ran in the
# main phase, and this phase reads the main build's bake.
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j2 -L unit -LE bake_output
phase_done "sanitizer unit tests"

if [ -x scripts/fuzz.sh ]; then
	echo "== fuzzers (bounded)"
	scripts/fuzz.sh
	phase_done "fuzzers"
fi
