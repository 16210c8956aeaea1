#!/usr/bin/env bash
# Sets up (packages, build, baked Data folder) and runs every test headless:
# unit and integration tests under a private Xvfb with Mesa's software
# renderer and SDL's dummy audio, then one sanitizer build (clang, ASan and
# UBSan, fuzzer coverage) that runs the unit tests again and the fuzzers for a
# bounded time. Prints how long each phase took. The benchmarks are not built
# here: `cmake --build build --target bench`.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

# Each phase's wall time and the CPU time its processes used (user + system,
# which a busy machine does not inflate), printed as it ends and again at the
# end (also when a phase fails).
PHASE_NAMES=()
PHASE_SECONDS=()
PHASE_CPU=()
PHASE_STARTED=$SECONDS
CPU_FILE=$(mktemp)
# Sets CHILD_CPU to the seconds of CPU used by finished child processes so
# far. No pipe or $(...): in a subshell, times reports the subshell's children.
children_cpu() {
	times >"$CPU_FILE"
	awk 'NR == 2 { split($1, u, "m"); split($2, s, "m"); printf "%d\n", u[1] * 60 + u[2] + s[1] * 60 + s[2] }' \
		"$CPU_FILE" >"$CPU_FILE.sum"
	read -r CHILD_CPU <"$CPU_FILE.sum"
}
children_cpu
PHASE_CPU_STARTED=$CHILD_CPU
phase_done() {
	local cpu now
	children_cpu
	now=$CHILD_CPU
	cpu=$((now - PHASE_CPU_STARTED))
	PHASE_NAMES+=("$1")
	PHASE_SECONDS+=($((SECONDS - PHASE_STARTED)))
	PHASE_CPU+=("$cpu")
	printf '== %s took %ds (CPU %ds)\n' "$1" $((SECONDS - PHASE_STARTED)) "$cpu"
	PHASE_STARTED=$SECONDS
	PHASE_CPU_STARTED=$now
}
print_phases() {
	echo "== phase timings (wall, CPU user+sys; load now: $(cut -d' ' -f1-3 /proc/loadavg))"
	local total_cpu=0
	for i in "${!PHASE_NAMES[@]}"; do
		printf '   %-34s %5ds %6ds\n' "${PHASE_NAMES[$i]}" "${PHASE_SECONDS[$i]}" "${PHASE_CPU[$i]}"
		total_cpu=$((total_cpu + PHASE_CPU[$i]))
	done
	printf '   %-34s %5ds %6ds\n' "total" "$SECONDS" "$total_cpu"
}

scripts/setup.sh build zappatron unit_tests integration_tests
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
cleanup() { kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$SCRATCH"; print_phases; rm -f "$CPU_FILE" "$CPU_FILE.sum"; }
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

# The sanitizer build bakes nothing: its tests and its game read the main
# build's Data folder, baked by the same baker code.
echo "== sanitizer build (ASan, UBSan, fuzzer coverage)"
scripts/sanitized-build.sh build-asan build
phase_done "sanitizer build"

echo "== unit tests under AddressSanitizer and UBSan"
# Without the baker's same-bytes checks (label bake_output): they ran in the
# main phase, and this phase reads the main build's bake.
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j2 -L unit -LE bake_output
phase_done "sanitizer unit tests"

echo "== fuzzers (bounded)"
ZAPP_SANITIZE_BUILD_DIR="$ROOT/build-asan" scripts/fuzz.sh "${ZAPP_FUZZ_SECONDS:-20}"
phase_done "fuzzers"

echo "== soak of the sanitized game (short)"
ZAPP_SANITIZE_BUILD_DIR="$ROOT/build-asan" scripts/soak.sh --short
phase_done "soak (short)"
