#!/usr/bin/env bash
# The main job: builds the command-line tool and engraves the bundled sample
# picture with the default parameters.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target vellisto >/dev/null
mkdir -p out
./build/native/src/cli/vellisto engrave data/samples/still-life.png out/still-life-engraved.png "$@"
echo "The engraving is in $(pwd)/out/still-life-engraved.png"
