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
diff -r "$first" "$second"
diff -r "$first" "$built"
echo "$(ls "$first" | wc -l) pictures identical across runs and with the build"
