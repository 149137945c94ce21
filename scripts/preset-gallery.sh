#!/usr/bin/env bash
# Renders every factory preset on two photographs and writes the gallery:
# docs/presets/*.jpg and docs/presets.md.
#   scripts/preset-gallery.sh [BUILD_DIR]
# The photographs are public-domain and CC0 samples that Debian's
# python3-skimage ships (installed here when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build/native}/src/cli/vellisto
photos=/usr/lib/python3/dist-packages/skimage/data
if [ ! -f "$photos/astronaut.png" ]; then
  apt-get install -y python3-skimage >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Enlarged to a size at which the engraved lines read as lines.
for name in astronaut coffee rocket camera chelsea; do
  source=$photos/$name.png
  [ -f "$source" ] || source=$photos/$name.jpg
  convert "$source" -filter Lanczos -resize 800x800 "$work/$name.png"
done
partners=(coffee rocket camera chelsea)

out=docs/presets
rm -rf "$out"
mkdir -p "$out"
page=docs/presets.md
{
  echo "# Factory presets"
  echo
  echo "Each preset of \`VellistoIII/Presets/Basic\` engraved by \`vellisto engrave --preset\`"
  echo "on two photographs (public domain and CC0 samples shipped with scikit-image:"
  echo "astronaut, coffee, rocket, camera, chelsea). Made by \`scripts/preset-gallery.sh\`."
  echo
} >"$page"
index=0
folder=""
while IFS= read -r -d '' preset; do
  relative=${preset#data/VellistoIII/Presets/Basic/}
  name=${relative%.vel3pst}
  here=$(dirname "$relative")
  if [ "$here" != "$folder" ]; then
    folder=$here
    [ "$folder" = . ] && echo "## Basic" >>"$page" || echo "## $folder" >>"$page"
    echo >>"$page"
  fi
  partner=${partners[$((index % ${#partners[@]}))]}
  slug=$(echo "$name" | tr 'A-Z /' 'a-z--')
  for photo in astronaut "$partner"; do
    "$tool" engrave "$work/$photo.png" "$work/$photo-out.png" --quiet --preset "$preset"
    convert "$work/$photo-out.png" -strip -resize 400x400 "$work/$photo-small.png"
  done
  convert "$work/astronaut-small.png" "$work/$partner-small.png" -bordercolor white -border 4x0 \
    +append -quality 88 "$out/$slug.jpg"
  printf '### %s\n\n![%s on two photographs](presets/%s.jpg)\n\n' "$(basename "$name")" "$name" "$slug" >>"$page"
  index=$((index + 1))
done < <(find data/VellistoIII/Presets/Basic -name '*.vel3pst' -print0 | sort -z)
echo "gallery: $page ($index presets)"
