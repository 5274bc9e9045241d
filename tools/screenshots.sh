#!/usr/bin/env bash
# Remakes the README's pictures of the window on the demo data, rendered offscreen by the window
# tests (no display needed). Run after changing how a page looks:
#   tools/screenshots.sh
set -euo pipefail
kinloom_root=$(cd "$(dirname "$0")/.." && pwd)
. "$kinloom_root/tools/deps.sh"

kinloom_ensure_packages
dir="$kinloom_root/build"
kinloom_build "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
KINLOOM_SHOTS="$shots" QT_QPA_PLATFORM=offscreen "$dir/tests/kinloom_gui_tests" \
  --gtest_filter='WindowLookTest.EveryPageInBothSchemesFitsASmallScreenAndFollowsTheScheme' \
  >/dev/null

# The pictures the README shows: a sim's page in the light scheme, a family in the dark one.
mkdir -p "$kinloom_root/docs/images"
for picture in light-characters dark-familyties; do
  cp "$shots/$picture.png" "$kinloom_root/docs/images/$picture.png"
done
echo "Pictures written to docs/images/"
