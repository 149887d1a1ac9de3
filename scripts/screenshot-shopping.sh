#!/usr/bin/env bash
# Takes the screenshot of the desktop program's shopping list shown in
# README.md: two recipes of the sample cookbook merged, the first doubled,
# rendered offscreen, saved as docs/images/saltrove-shopping-list.png (or the
# path given as the first argument).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
exec scripts/desktop-screenshot.sh shoppinglist_screenshot \
    "${1:-docs/images/saltrove-shopping-list.png}" "Roasted Tomato Soup" "Yellow Split Pea Soup"
