#!/usr/bin/env bash
# Takes the screenshot of the desktop program's cooking view shown in
# README.md: the sample cookbook's red lentil dal at twice its servings, on
# its third step with a timer running, rendered offscreen, saved as
# docs/images/saltrove-cooking.png (or the path given as the first argument).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
exec scripts/desktop-screenshot.sh cooking_screenshot \
    "${1:-docs/images/saltrove-cooking.png}" "Red Lentil Dal" 3
