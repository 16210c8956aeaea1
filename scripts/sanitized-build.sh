#!/usr/bin/env bash
# Configures and builds the sanitizer build: clang, AddressSanitizer and UBSan
# at -O1, with libFuzzer's coverage instrumentation, so the one build serves
# the sanitized unit tests, the fuzz harnesses and the sanitized game (the
# soak). It bakes nothing: it plays the main build's Data folder.
# Usage: scripts/sanitized-build.sh [BUILD_DIR [MAIN_BUILD_DIR]] [-- TARGETS...]
#   (default build-asan, build; targets: unit_tests fuzzers zappatron)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build-asan"
MAIN="$ROOT/build"
if [ $# -gt 0 ] && [ "$1" != "--" ]; then BUILD=$(realpath -m "$1"); shift; fi
if [ $# -gt 0 ] && [ "$1" != "--" ]; then MAIN=$(realpath -m "$1"); shift; fi
[ "${1:-}" = "--" ] && shift
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(unit_tests fuzzers zappatron)

LAUNCHER=()
if command -v ccache >/dev/null && [ -z "${CCACHE_DISABLE:-}" ]; then
	LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
	export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}
fi
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	-DZAPP_SANITIZE=ON -DZAPP_FUZZ=ON -DZAPP_BAKE=OFF -DZAPP_BENCH=OFF \
	-DZAPP_TEST_DATA_DIR="$MAIN/Data" "${LAUNCHER[@]}" >/dev/null
ninja -C "$BUILD" -j"${ZAPP_JOBS:-2}" "${TARGETS[@]}"
# The sanitized game finds its Data folder beside itself.
[ -e "$BUILD/Data" ] || ln -s "$MAIN/Data" "$BUILD/Data"
