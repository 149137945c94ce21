#!/usr/bin/env bash
# The main job: builds the command-line tool and runs it. For now it prints
# the default parameter set that every engraving starts from.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target vellisto >/dev/null
./build/native/src/cli/vellisto params
