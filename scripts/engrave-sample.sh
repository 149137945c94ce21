#!/usr/bin/env bash
# The main job: builds the command-line tool and engraves the bundled
# photograph (data/samples/astronaut.png, public domain) with the factory
# preset "Sepia on Parchment". Extra arguments go to the tool, after the
# preset, so `--set NAME=VALUE` changes it and `--preset P` replaces it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target vellisto >/dev/null
mkdir -p out
./build/native/src/cli/vellisto engrave data/samples/astronaut.png out/astronaut-engraved.png \
  --preset "Sepia on Parchment" "$@"
echo "The engraving is in $(pwd)/out/astronaut-engraved.png"
