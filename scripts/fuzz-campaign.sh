#!/usr/bin/env bash
# A long fuzzing campaign (outside the test command): every harness runs until
# it has made RUNS runs (default 1,000,000), niced, two at a time, over the
# corpus the bounded runs keep growing. Prints each harness's count, its
# coverage and its time; a crash, leak or UB report leaves its input as
# build-asan/fuzz-crash-<harness>-* and the script fails.
# Usage: scripts/fuzz-campaign.sh [RUNS] [HARNESS...]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ZAPP_SANITIZE_BUILD_DIR:-$ROOT/build-asan}"
RUNS="${1:-1000000}"
shift || true
JOBS="${ZAPP_FUZZ_JOBS:-2}"

"$ROOT/scripts/sanitized-build.sh" "$BUILD" -- fuzzers
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir "$BUILD" -L fuzz_seed --output-on-failure >/dev/null
HARNESSES=("$@")
[ ${#HARNESSES[@]} -gt 0 ] || mapfile -t HARNESSES < "$BUILD/tests/fuzz/harnesses.txt"

LOGDIR="$BUILD/fuzz-campaign"
mkdir -p "$LOGDIR"
run_one() {
	local name=$1 started=$SECONDS
	if nice -n 19 "$BUILD/tests/fuzz/fuzz_$name" -runs="$RUNS" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
		-artifact_prefix="$BUILD/fuzz-crash-$name-" "$BUILD/fuzz-corpus/$name" >"$LOGDIR/$name.log" 2>&1; then
		printf '%-14s runs=%s coverage=%s seconds=%d ok\n' "$name" \
			"$(sed -n 's/^stat::number_of_executed_units: *//p' "$LOGDIR/$name.log")" \
			"$(grep -o 'cov: [0-9]*' "$LOGDIR/$name.log" | tail -1 | cut -d' ' -f2)" $((SECONDS - started))
	else
		printf '%-14s FAILED after %ds, see %s\n' "$name" $((SECONDS - started)) "$LOGDIR/$name.log"
		return 1
	fi
}
export -f run_one
export BUILD RUNS LOGDIR
printf '%s\n' "${HARNESSES[@]}" | xargs -P "$JOBS" -I{} bash -c 'run_one {}'
