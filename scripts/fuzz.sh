#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang in their own build folder, seeds
# their corpora from the baker's resource-fork writer and runs each for a
# bounded time. Usage: scripts/fuzz.sh [SECONDS_PER_FUZZER]  (default 20)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ZAPP_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
SECONDS_EACH="${1:-20}"

LAUNCHER=()
if command -v ccache >/dev/null; then
	LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$ROOT" -B "$BUILD" -G Ninja \
	-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	-DCMAKE_BUILD_TYPE=RelWithDebInfo \
	-DZAPP_FUZZ=ON -DZAPP_GAME=OFF -DZAPP_BENCH=OFF -DZAPP_TESTS=OFF "${LAUNCHER[@]}"
ninja -C "$BUILD" -j"${ZAPP_FUZZ_JOBS:-2}" fuzzers

CORPUS="$BUILD/fuzz-corpus"
"$BUILD/tests/fuzz/fuzz_seed_corpus" "$CORPUS/resource_fork" "$CORPUS/structpack"
"$BUILD/tests/fuzz/fuzz_terrain_seeds" "$CORPUS/terrain"
"$BUILD/tests/fuzz/fuzz_content_seeds" "$CORPUS/bg3d" "$CORPUS/tga" "$CORPUS/font_metrics"
"$BUILD/tests/fuzz/fuzz_aiff_seeds" "$CORPUS/aiff"
"$BUILD/tests/fuzz/fuzz_skeleton_seeds" "$CORPUS/skeleton"
"$BUILD/tests/fuzz/fuzz_recording_seeds" "$CORPUS/recording"

for target in resource_fork structpack bg3d tga font_metrics aiff terrain skeleton recording; do
	echo "== fuzz_$target for ${SECONDS_EACH}s"
	"$BUILD/tests/fuzz/fuzz_$target" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
		-print_final_stats=1 "$CORPUS/$target"
done
