#!/usr/bin/env bash
# Writes the factory presets listed in scripts/factory-presets.txt into
# data/VellistoIII/Presets/Basic with the command-line tool:
#   scripts/make-presets.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build/native}/src/cli/vellisto
root=data/VellistoIII/Presets/Basic
rm -rf "$root"
mkdir -p "$root"
while IFS='|' read -r name settings; do
  case "$name" in '' | \#*) continue ;; esac
  args=()
  IFS=';' read -ra pairs <<<"$settings"
  for pair in "${pairs[@]}"; do
    args+=(--set "$pair")
  done
  mkdir -p "$(dirname "$root/$name")"
  "$tool" preset write "$root/$name.vel3pst" "${args[@]}"
done <scripts/factory-presets.txt
echo "factory presets: $(find "$root" -name '*.vel3pst' | wc -l) in $root"
