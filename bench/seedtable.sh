#!/usr/bin/env bash
# The autopilot as a play-tester: every level played alone on many seeds, and
# whole games, logic only at a fixed 30 Hz step, then one table.
#
# Usage: bench/seedtable.sh BUILD_DIR OUTDIR [SEEDS [GAMES [LEVELS]]]
#   SEEDS   level runs on seeds 1 … SEEDS (default 50)
#   GAMES   whole games on seeds 1 … GAMES (default 20; 0: none)
#   LEVELS  the levels, blank-separated (default "0 1 2 3 4 5 6 7 8 9")
#
# Each run's output is kept in OUTDIR (level-L-seed-S.txt, game-seed-S.txt),
# so a table can be printed again from them (bench/seedtable.sh --table OUTDIR).
# Per level the table shows the share finished, the median and worst game time
# of the finished runs, the lives lost (all runs, and the mean per run), the
# health lost (full bars, mean per run), the humans rescued (mean, of the
# level's), and how the unfinished runs ended (game over, stall, frames out).
# One game process at a time, at a low priority: the machine is shared.
set -uo pipefail

table() {
	local out=$1
	printf '%-6s %8s %8s %8s %6s %8s %8s %12s  %s\n' level finished median worst lives 'lives/r' 'hurt/r' humans 'not finished'
	for f in "$out"/level-*-seed-*.txt; do
		[ -e "$f" ] || continue
		level=${f##*/level-}
		level=${level%%-seed-*}
		echo "$level $f"
	done | sort -n -k1,1 -s | awk '
		function flush(   i, j, t, n, med) {
			if (!started) return
			n = 0
			for (i = 1; i <= done; i++) t[++n] = times[i]
			for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (t[j] < t[i]) { x = t[i]; t[i] = t[j]; t[j] = x }
			med = n ? (n % 2 ? t[(n + 1) / 2] : (t[n / 2] + t[n / 2 + 1]) / 2) : 0
			printf "%-6s %4d/%-3d %8.1f %8.1f %6d %8.2f %8.2f %5.1f of %-3d  %s\n", level, done, runs, med, n ? t[n] : 0,
				lives, runs ? lives / runs : 0, runs ? hurt / runs : 0, runs ? humans / runs : 0, of, why
			delete times
		}
		{
			if (!started || $1 != level) { flush(); started = 1; level = $1; runs = done = lives = hurt = humans = of = 0; why = "" }
			runs++
			file = $2
			seed = file; sub(/.*-seed-/, "", seed); sub(/\.txt$/, "", seed)
			ended = ""
			while ((getline line < file) > 0) {
				if (line ~ /lost a life at/) lives++
				if (line ~ /^LEVEL [0-9]+ (done|game over)/) {
					n = split(line, w, /[ =]/)
					for (i = 1; i < n; i++) {
						if (w[i] == "time") tm = w[i + 1]
						if (w[i] == "humans") humans += w[i + 1]
						if (w[i] == "of") of = w[i + 1]
						if (w[i] == "hurt") hurt += w[i + 1]
					}
					if (line ~ / done /) { done++; times[done] = tm; ended = "done" }
					else ended = "over"
				}
				if (line ~ /AUTOPILOT STALLED/) ended = "stall"
				if (line ~ /FRAMES RAN OUT/) ended = "frames"
				if (line ~ /ALERT/) ended = "alert"
			}
			close(file)
			if (ended == "") ended = "crash"
			if (ended != "done") why = why " s" seed ":" ended
		}
		END { flush() }'
	local games=0 won=0 lines=""
	for f in "$out"/game-seed-*.txt; do
		[ -e "$f" ] || continue
		games=$((games + 1))
		seed=${f##*-seed-}
		seed=${seed%.txt}
		if grep -q '^WHOLE GAME won' "$f"; then
			won=$((won + 1))
		else
			last=$(grep -E 'STALLED|WHOLE GAME (stopped|game over)|FRAMES RAN OUT' "$f" | tail -1)
			lines="$lines  seed $seed: ${last:-no end line}"$'\n'
		fi
	done
	if [ "$games" -gt 0 ]; then
		echo "whole games won: $won/$games"
		printf '%s' "$lines"
	fi
}

if [ "${1:-}" = "--table" ]; then
	table "$2"
	exit 0
fi

BUILD=$(cd "${1:?build folder}" && pwd)
OUT=${2:?output folder}
SEEDS=${3:-50}
GAMES=${4:-20}
LEVELS=${5:-"0 1 2 3 4 5 6 7 8 9"}
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
export ZAPPATRON_HEADLESS=1 SDL_AUDIODRIVER=dummy DISPLAY= XDG_DATA_HOME="$SCRATCH/xdg"
mkdir -p "$XDG_DATA_HOME"

cd "$BUILD"
started=$SECONDS
# A level gets 400 s of game time: the stall watch ends a stuck one sooner.
for level in $LEVELS; do
	for seed in $(seq 1 "$SEEDS"); do
		nice -n 10 ./zappatron --no-draw --fixed-step 30 --level "$level" --autopilot --quit-after-levels 1 \
			--seed "$seed" --frames 12000 >"$OUT/level-$level-seed-$seed.txt" 2>&1
	done
	echo "level $level: $SEEDS seeds after $((SECONDS - started)) s" >&2
done
# A whole game: ten levels, the menus and screens between them, a retry.
for seed in $(seq 1 "$GAMES"); do
	nice -n 10 ./zappatron --no-draw --fixed-step 30 --whole-game --seed "$seed" --frames 200000 \
		>"$OUT/game-seed-$seed.txt" 2>&1
	echo "whole game seed $seed after $((SECONDS - started)) s" >&2
done
table "$OUT" | tee "$OUT/table.txt"
