#!/usr/bin/env bash
# Builds the libFuzzer harnesses in the sanitizer build (scripts/sanitized-build.sh),
# seeds their corpora from the baker's writers and the game's encoders, and
# runs each for a bounded time, two at a time (one a core).
# Usage: scripts/fuzz.sh [SECONDS_PER_FUZZER]  (default 20)
# Environment: ZAPP_SANITIZE_BUILD_DIR (default build-asan), ZAPP_FUZZ_JOBS (2).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ZAPP_SANITIZE_BUILD_DIR:-$ROOT/build-asan}"
SECONDS_EACH="${1:-20}"
JOBS="${ZAPP_FUZZ_JOBS:-2}"

"$ROOT/scripts/sanitized-build.sh" "$BUILD" -- fuzzers
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir "$BUILD" -L fuzz_seed --output-on-failure >/dev/null

LOGS=$(mktemp -d)
trap 'rm -rf "$LOGS"' EXIT
run_one() {
	local name=$1
	if "$BUILD/tests/fuzz/fuzz_$name" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
		-print_final_stats=1 -artifact_prefix="$BUILD/fuzz-crash-$name-" "$BUILD/fuzz-corpus/$name" >"$LOGS/$name.log" 2>&1; then
		printf '== fuzz_%-14s %10s runs in %ss\n' "$name" \
			"$(sed -n 's/^stat::number_of_executed_units: *//p' "$LOGS/$name.log")" "$SECONDS_EACH"
	else
		echo "== fuzz_$name FAILED:"; tail -60 "$LOGS/$name.log"; return 1
	fi
}
export -f run_one
export BUILD SECONDS_EACH LOGS
xargs -P "$JOBS" -I{} bash -c 'run_one {}' < "$BUILD/tests/fuzz/harnesses.txt"
