#!/usr/bin/env bash
# The picture generator makes the same bytes every time: two fresh runs match
# each other and the pictures built into the program.
set -euo pipefail
generator=$1 sources=$2 font=$3 bold=$4 built=$5
first=$(mktemp -d)
second=$(mktemp -d)
trap 'rm -rf "$first" "$second"' EXIT
for out in "$first" "$second"; do
    QT_QPA_PLATFORM=offscreen "$generator" generate --sources "$sources" --out "$out" --font "$font" --bold-font "$bold"
done
count=0
for file in "$built"/*; do
    name=$(basename "$file")
    cmp "$first/$name" "$second/$name"
    cmp "$first/$name" "$file"
    count=$((count + 1))
done
[ "$count" -eq 20 ] || { echo "expected 20 pictures in $built, found $count"; exit 1; }
echo "$count pictures identical across runs"
