#!/usr/bin/env bash
# Plenk Player side by side with Qmmp and Audacious on this machine, in one run:
# the window shown with a 100,000-entry playlist, the playlist usable, peak
# memory, and the CPU of playing an mp3 with the visualisation to a PulseAudio
# null sink. Builds nothing: it runs the player already built in BUILD/program.
#
#   bench/peers-compare.sh [-r ROUNDS] [-n N] [-t SECONDS] [-p PLAYERS] [BUILD]
#
# Defaults: 3 rounds, N = 100000, 300 s for a player to reach each step of a
# launch (NA in the table where it did not), PLAYERS "plenk qmmp audacious".
#
# Each round runs peers.sh once per player (the rounds interleave the players,
# so a change of the machine's load falls on all three alike). Prints a
# Markdown table of medians and ranges, the load average and the versions.
# The raw lines and peers.sh's notes are kept in BUILD/peers/.
# PEERS names peers.sh (default /work/shared/tools/peers.sh).
#
# peers.sh calls this script back as the player's own command:
#   --launch FILE   the player on the program folder BUILD/peers/program (made
#                   afresh before each run of peers.sh); an .m3u becomes its saved
#                   playlist, any other file is played from the command line as
#                   a user would, with an empty playlist
#   --count         the playlist length, read from the playlist window's
#                   "Total items" label through the test query channel
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)

launch() {
	local file=$1 program=$PLENK_PEERS_OUT/program
	echo "$EPOCHREALTIME" >"$HOME/plenk-launched"
	export PLENK_TEST_QUERY=$HOME/plenk-query
	# The player's messages outlive peers.sh's scratch folder.
	printf -- '--- %(%T)T %s on %s\n' -1 "$file" "$DISPLAY" >>"$PLENK_PEERS_OUT/player-messages.txt"
	exec 2>>"$PLENK_PEERS_OUT/player-messages.txt"
	if [[ $file == *.m3u ]]; then
		grep -v '^#' "$file" >"$program/Data/plst.data" || true
		exec "$program/plenk-player"
	fi
	: >"$program/Data/plst.data"
	exec "$program/plenk-player" "$file"
}

# A fresh program folder for each run of peers.sh, made before it starts the
# clock: everything but the program file, which is linked, since the program
# folder is where the executable lies and the player writes its lists there.
fresh_program() {
	rm -rf "$out/program"
	mkdir -p "$out/program"
	tar -C "$build/program" --exclude=./plenk-player -cf - . | tar -C "$out/program" -xf -
	ln "$build/program/plenk-player" "$out/program/plenk-player"
	mkdir -p "$out/program/Data"
}

# The label recounts on its one-second timer, so the first answer of the
# shown window (whatever the label says yet) is recorded too.
first_answer() {
	[ -e "$HOME/plenk-answered" ] && return
	echo "$EPOCHREALTIME" >"$HOME/plenk-answered"
	awk -v a="$(cat "$HOME/plenk-launched")" -v b="$(cat "$HOME/plenk-answered")" \
		'BEGIN { printf "plenk first_answer %.3f s\n", b - a }' >>"$PLENK_PEERS_OUT/answers.txt"
}

# Waits a tenth of a second at most: a busy window answers a later poll.
count() {
	local query=$HOME/plenk-query token=$RANDOM$RANDOM line
	[ -d "$query" ] || return 0
	echo "$token" >"$query/request"
	for _ in 1 2 3 4 5; do
		sleep 0.02
		read -r line 2>/dev/null <"$query/texts.txt" || continue
		if [ "$line" = "$token" ]; then
			first_answer
			sed -n 's/^Playlist\.ItemsLabel=.*[^0-9]\([0-9][0-9]*\)$/\1/p' "$query/texts.txt"
			return 0
		fi
	done
}

case ${1:-} in
--launch) launch "$2" ;;
--count) count; exit 0 ;;
esac

rounds=3 size=100000 timeout=300 players="plenk qmmp audacious"
while [ $# -gt 0 ]; do
	case $1 in
	-r) rounds=$2; shift 2 ;;
	-n) size=$2; shift 2 ;;
	-t) timeout=$2; shift 2 ;;
	-p) players=$2; shift 2 ;;
	-h | --help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
	*) break ;;
	esac
done
build=$(cd "${1:-build}" && pwd)
peers=${PEERS:-/work/shared/tools/peers.sh}
[ -x "$build/program/plenk-player" ] || { echo "no player in $build/program: build it first" >&2; exit 2; }
[ -x "$peers" ] || { echo "peers.sh not found (set PEERS)" >&2; exit 2; }

# The two peers come from Debian, as a user would install them.
if ! command -v qmmp >/dev/null || ! command -v audtool >/dev/null; then
	sudo=""
	[ "$(id -u)" -eq 0 ] || sudo="sudo"
	$sudo apt-get update -qq
	DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq qmmp audacious
fi

export PLENK_PEERS_OUT=$build/peers
out=$PLENK_PEERS_OUT
mkdir -p "$out"
raw=$out/raw.txt loads=$out/loads.txt
: >"$raw"
: >"$out/player-messages.txt"
for player in $players; do : >"$out/notes-$player.txt"; done
: >"$loads"
: >"$out/answers.txt"
started=$(date -u '+%Y-%m-%d %H:%M UTC')
for round in $(seq "$rounds"); do
	for player in $players; do
		cut -d' ' -f1 /proc/loadavg >>"$loads"
		args=("$player")
		[ "$player" = plenk ] && args=(--label plenk --cmd "$here/peers-compare.sh --launch %f"
			--count-cmd "$here/peers-compare.sh --count" custom)
		echo "round $round: $player" >&2
		[ "$player" != plenk ] || fresh_program
		"$peers" -n "$size" -r 1 --timeout "$timeout" "${args[@]}" >>"$raw" 2>>"$out/notes-$player.txt" ||
			echo "peers.sh failed for $player (see $out/notes-$player.txt)" >&2
	done
done
cut -d' ' -f1 /proc/loadavg >>"$loads"
cat "$out/answers.txt" >>"$raw"

version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || echo "?"; }
echo "Run of $started, $rounds rounds, $(nproc) cores; load average (1 min) $(sort -n "$loads" |
	awk '{ v[NR] = $1 } END { printf "%s–%s, median %s", v[1], v[NR], v[int((NR + 1) / 2)] }');" \
	"qmmp $(version qmmp), audacious $(version audacious)."
echo
awk -v n="$size" '
	function stat(p, m,   k, i, j, t, c, s) {
		if (!cnt[p, m]) return "—"
		c = 0
		for (k = 1; k <= cnt[p, m]; k++) if (val[p, m, k] != "NA") s[++c] = val[p, m, k] + 0
		if (c == 0) return "NA"
		for (i = 1; i <= c; i++) for (j = i + 1; j <= c; j++) if (s[j] < s[i]) { t = s[i]; s[i] = s[j]; s[j] = t }
		t = (c % 2) ? s[(c + 1) / 2] : (s[c / 2] + s[c / 2 + 1]) / 2
		f = unit[m] == "MiB" ? "%.0f" : "%.2f"
		if (c == 1 && cnt[p, m] == 1) return sprintf(f, t)
		return sprintf(f " (" f "–" f "%s)", t, s[1], s[c], c < cnt[p, m] ? ", " cnt[p, m] - c " NA" : "")
	}
	{ cnt[$1, $2]++; val[$1, $2, cnt[$1, $2]] = $3; unit[$2] = $4 }
	END {
		row["window_mapped_n" n] = "window shown, " n "-entry playlist (s)"
		row["first_answer"] = "the shown window first answers a query (s)"
		row["playlist_loaded_n" n] = "playlist reports all " n " entries (s)"
		row["settled_n" n] = "settled: first second under 10 % of a core (s)"
		row["peak_rss_n" n] = "peak memory with that playlist (MiB)"
		row["cpu_playing"] = "CPU playing a 128 kbit/s mp3, visualisation shown (% of a core)"
		row["peak_rss_playing"] = "peak memory playing (MiB)"
		split("window_mapped_n" n " first_answer playlist_loaded_n" n " settled_n" n " peak_rss_n" n " cpu_playing peak_rss_playing", order, " ")
		print "| measure (median, range) | Plenk Player | Qmmp | Audacious |"
		print "|---|---|---|---|"
		for (i = 1; i <= 7; i++)
			printf "| %s | %s | %s | %s |\n", row[order[i]], stat("plenk", order[i]), stat("qmmp", order[i]), stat("audacious", order[i])
	}' "$raw"
