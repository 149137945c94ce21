#!/usr/bin/env bash
# Whole-process speed against a peer: `vellisto engrave` and GEGL's line
# screen (newsprint, black, lines, period 8) on the same 6 MP picture (the
# sample still life scaled to 3000 x 2000), PNG in and PNG out. The runs are
# interleaved; prints each median, the ratio and both peak resident sizes.
#
#   bench/compare-gegl.sh [RUNS] [VELLISTO] [EARLIER]
#
# RUNS defaults to 5, VELLISTO to build/native/src/cli/vellisto. EARLIER, a
# second build of the tool (say of the main branch, with its data folder
# beside it), joins the interleaved runs so that a change is measured
# against what it changes in one session. The thread count follows the
# machine unless VELLISTO_THREADS is set.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
tool=${2:-build/native/src/cli/vellisto}
earlier=${3:-}
command -v gegl >/dev/null || { echo "gegl is missing (scripts/setup.sh installs it)" >&2; exit 1; }
command -v convert >/dev/null || { echo "ImageMagick's convert is missing" >&2; exit 1; }
[ -x "$tool" ] || { echo "no $tool: build the native preset first" >&2; exit 1; }
[ -z "$earlier" ] || [ -x "$earlier" ] || { echo "no $earlier" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert data/samples/still-life.png -resize '3000x2000!' "$work/in.png"

# Seconds of one run of the command; its peak resident size (kB) goes to $work/rss.
seconds() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f %M -o "$work/rss" "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", (b - a) / 1e9 }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$work/vellisto"
: >"$work/earlier"
: >"$work/gegl"
vrss=0
erss=0
grss=0
for ((i = 0; i < runs; i++)); do
  seconds "$tool" engrave "$work/in.png" "$work/out-vellisto.png" --quiet >>"$work/vellisto"
  vrss=$(( $(cat "$work/rss") > vrss ? $(cat "$work/rss") : vrss ))
  if [ -n "$earlier" ]; then
    seconds "$earlier" engrave "$work/in.png" "$work/out-earlier.png" --quiet >>"$work/earlier"
    erss=$(( $(cat "$work/rss") > erss ? $(cat "$work/rss") : erss ))
  fi
  seconds gegl "$work/in.png" -o "$work/out-gegl.png" -- newsprint color-model=black pattern=line period=8 >>"$work/gegl"
  grss=$(( $(cat "$work/rss") > grss ? $(cat "$work/rss") : grss ))
done

v=$(median <"$work/vellisto")
g=$(median <"$work/gegl")
echo "picture: 3000 x 2000, $runs runs each, interleaved; load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "threads: ${VELLISTO_THREADS:-machine ($(nproc))}"
printf 'vellisto engrave   median %6.3f s   (runs: %s)   peak RSS %d MB\n' "$v" "$(tr '\n' ' ' <"$work/vellisto")" $((vrss / 1024))
if [ -n "$earlier" ]; then
  e=$(median <"$work/earlier")
  printf 'earlier build      median %6.3f s   (runs: %s)   peak RSS %d MB\n' "$e" "$(tr '\n' ' ' <"$work/earlier")" $((erss / 1024))
fi
printf 'gegl newsprint     median %6.3f s   (runs: %s)   peak RSS %d MB\n' "$g" "$(tr '\n' ' ' <"$work/gegl")" $((grss / 1024))
awk -v v="$v" -v g="$g" 'BEGIN { printf "ratio vellisto / gegl: %.2f\n", v / g }'
if [ -n "$earlier" ]; then
  awk -v e="$e" -v g="$g" 'BEGIN { printf "ratio earlier / gegl: %.2f\n", e / g }'
  # The pictures must not differ by a pixel.
  compare -metric AE "$work/out-vellisto.png" "$work/out-earlier.png" null: 2>"$work/differing" || true
  echo "pixels differing between the two builds: $(cat "$work/differing")"
fi
