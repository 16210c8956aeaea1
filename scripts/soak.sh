#!/usr/bin/env bash
# A soak of the sanitized game (ASan and UBSan, scripts/sanitized-build.sh):
# whole games played by the autopilot on one seed after another, and runs of
# the monkey (random presses, pauses and trips through the menus) starting on
# each level in turn, every one with --check-invariants, until MINUTES have
# gone (a run under way is finished). Each run must end cleanly with no
# sanitizer report, no alert, and no growth from one level's clean-up to the
# next: the nodes and meta objects left must not rise, nor the heap by more
# than ZAPP_SOAK_HEAP_SLACK bytes (default 4 MiB) over the first clean-up's.
# Prints one line per run and the counts after every level.
# Usage: scripts/soak.sh [MINUTES] (default 30)   ZAPP_SOAK_ONLY=monkey|autopilot
#        scripts/soak.sh --short   (the test command's: a whole game from the
#        last level, through the front end, the win screen and the high score,
#        and a monkey run of 6000 frames from the first level)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ZAPP_SANITIZE_BUILD_DIR:-$ROOT/build-asan}"
SHORT=""
if [ "${1:-}" = "--short" ]; then SHORT=1; shift; fi
MINUTES="${1:-30}"
SLACK="${ZAPP_SOAK_HEAP_SLACK:-4194304}"
MONKEY_FRAMES="${ZAPP_SOAK_MONKEY_FRAMES:-9000}"		# 5 minutes of play at 30 Hz
ONLY="${ZAPP_SOAK_ONLY:-}"

[ -x "$BUILD/zappatron" ] || "$ROOT/scripts/sanitized-build.sh" "$BUILD" -- zappatron
LOGS="$BUILD/soak"
mkdir -p "$LOGS"
XDG=$(mktemp -d)
trap 'rm -rf "$XDG"' EXIT
export ZAPPATRON_HEADLESS=1 SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$XDG"
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:${UBSAN_OPTIONS:-}"
unset DISPLAY

# Checks one run's log; prints its line and returns non-zero on a fault.
check_run() {
	local name=$1 code=$2 seconds=$3 log=$4 ok_codes=$5
	local problems=""
	grep -q "ERROR: AddressSanitizer\|runtime error:\|ERROR: LeakSanitizer" "$log" && problems+=" sanitizer-report"
	grep -q "ZAPPATRON ALERT\|ZAPPATRON FATAL ALERT" "$log" && problems+=" alert"
	[[ " $ok_codes " == *" $code "* ]] || problems+=" exit-code-$code"
	local growth
	growth=$(awk -v slack="$SLACK" '
		/cleaned up: nodes=/ {
			n = $0; sub(/.*nodes=/, "", n); sub(/ .*/, "", n)
			m = $0; sub(/.*meta objects=/, "", m); sub(/ .*/, "", m)
			h = $0; sub(/.*heap=/, "", h); sub(/ .*/, "", h)
			if (count == 0) { n0 = n; m0 = m; h0 = h }
			else if (n + 0 > n0 + 0 || m + 0 > m0 + 0 || h + 0 > h0 + slack) bad = bad " level-" count
			if (h + 0 > peak) peak = h + 0
			count++
		}
		END { printf "%d %s %s %d%s", count, n0, m0, peak, (bad ? " GROWTH" bad : "") }' "$log")
	read -r levels nodes meta peak rest <<<"$growth"
	[ -n "${rest:-}" ] && problems+=" $rest"
	printf '%-24s exit=%s %5ds levels-cleaned=%s nodes-after-cleanup=%s meta=%s heap-peak=%s %s\n' \
		"$name" "$code" "$seconds" "$levels" "${nodes:-?}" "${meta:-?}" "${peak:-?}" "${problems:-ok}"
	if [ -n "$problems" ]; then
		grep -m20 "ERROR: AddressSanitizer\|runtime error:\|ALERT\|GROWTH\|SUMMARY" "$log" || true
		return 1
	fi
}

run() {
	local name=$1 ok_codes=$2
	shift 2
	local log="$LOGS/$name.log" started=$SECONDS code=0
	rm -rf "$XDG/Zappatron"
	timeout 3600 nice -n "${ZAPP_SOAK_NICE:-0}" "$BUILD/zappatron" "$@" >"$log" 2>&1 || code=$?
	check_run "$name" "$code" $((SECONDS - started)) "$log" "$ok_codes" || FAILED=$((FAILED + 1))
	grep "cleaned up:" "$log" | sed 's/^/    /' || true
	RUNS=$((RUNS + 1))
}

FAILED=0
RUNS=0
if [ -n "$SHORT" ]; then
	run "whole-game-from-level9" "0" --no-draw --whole-game --level 9 --fixed-step 30 --seed 1 --check-invariants
	run "monkey-level0-short" "0" --no-draw --monkey --level 0 --fixed-step 30 --seed 1 --end-level-after 40 \
		--frames 6000 --check-invariants
	echo "== soak (short): $RUNS runs, $FAILED failed (logs in $LOGS)"
	[ "$FAILED" -eq 0 ]
	exit
fi
DEADLINE=$((SECONDS + MINUTES * 60))
seed=1
while [ $SECONDS -lt $DEADLINE ]; do
	if [ "$ONLY" != "monkey" ]; then
		run "whole-game-seed$seed" "0" --no-draw --whole-game --fixed-step 30 --seed "$seed" --check-invariants
	fi
	[ $SECONDS -lt $DEADLINE ] || break
	if [ "$ONLY" != "autopilot" ]; then
		level=$(((seed - 1) % 10))
		# Each level ends on a clock, so a run goes on through the tally into
		# the next levels; frames running out is how it ends (exit 0).
		run "monkey-level$level-seed$seed" "0" --no-draw --monkey --level "$level" --fixed-step 30 --seed "$seed" \
			--end-level-after 90 --frames "$MONKEY_FRAMES" --check-invariants
	fi
	seed=$((seed + 1))
done
echo "== soak: $RUNS runs in $((SECONDS / 60)) min, $FAILED failed (logs in $LOGS)"
[ "$FAILED" -eq 0 ]
