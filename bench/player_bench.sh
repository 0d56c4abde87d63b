#!/bin/sh
# zetplay's GIF and APNG export of a 64-frame 96 x 96 24-bit strip beside
# ImageMagick making the same GIF from the same frames (each frame 40 ms,
# looping), and the sizes beside gifsicle -O3 of ImageMagick's GIF.
# Usage: player_bench.sh LABEL PLAYER_BENCH ZETPLAY [EMULATOR]
set -eu
label=$1
bench=$(realpath "$2")
zetplay=$(realpath "$3")
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# ImageMagick itself, ahead of any stand-in earlier on the PATH.
convert=$(command -v /usr/bin/convert || command -v convert || true)

echo "== zetplay exports, $label"
"$@" "$bench" >figures.raw
# A Windows program's lines end in CR LF, which printf would not take as numbers.
tr -d '\r' <figures.raw >figures.txt
figure() { awk -v key="$1" '$1 == "RESULT" && $2 == key {print $3}' figures.txt; }

# Best of 5 runs of a command, in ms.
best_of() {
  best=""
  for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    took=$(((end - start) / 1000))
    if [ -z "$best" ] || [ "$took" -lt "$best" ]; then best=$took; fi
  done
  awk -v us="$best" 'BEGIN { printf "%.3f", us / 1000 }'
}

program_apng=$(best_of "$@" "$zetplay" --kind NOICON --apng whole.png bench.ztr)
printf '%-52s %9.3f ms  %7d bytes\n' "APNG, in process (decode, play, encode)" \
  "$(figure apng_ms)" "$(figure apng_bytes)"
printf '%-52s %9.3f ms\n' "APNG, the whole zetplay run" "$program_apng"
if [ -n "$(figure gif_ms)" ] && [ -n "$convert" ] && command -v gifsicle >/dev/null; then
  program_gif=$(best_of "$zetplay" --kind NOICON --gif whole.gif bench.ztr)
  magick=$(best_of "$convert" -delay 4 -loop 0 frame*.ppm magick.gif)
  gifsicle -O3 magick.gif -o magick-O3.gif
  printf '%-52s %9.3f ms  %7d bytes\n' "GIF, in process (decode, play, encode)" \
    "$(figure gif_ms)" "$(figure gif_bytes)"
  printf '%-52s %9.3f ms  %7d bytes\n' "GIF, the whole zetplay run" "$program_gif" \
    "$(wc -c <whole.gif)"
  printf '%-52s %9.3f ms  %7d bytes\n' "ImageMagick convert of the 64 PPM frames" "$magick" \
    "$(wc -c <magick.gif)"
  printf '%-52s %9s     %7d bytes\n' "gifsicle -O3 of ImageMagick's GIF" "" "$(wc -c <magick-O3.gif)"
  awk -v m="$magick" -v g="$(figure gif_ms)" -v p="$program_gif" \
    -v ours="$(figure gif_bytes)" -v sicle="$(wc -c <magick-O3.gif)" \
    'BEGIN { printf "%-52s %9.1f in process, %.1f whole run\n%-52s %9.3f\n",
             "ratio ImageMagick / zetplay GIF time", m / g, m / p,
             "ratio zetplay GIF / gifsicle -O3 size", ours / sicle }'
fi
