#!/usr/bin/env bash
# Takes the screenshot of the Find pane shown in README.md: the main window on
# the sample cookbook with the Find dock open, a word typed and two
# ingredients chosen, rendered offscreen, saved as
# docs/images/saltrove-find.png (or the path given as the first argument).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
exec scripts/desktop-screenshot.sh desktop_find_screenshot \
    "${1:-docs/images/saltrove-find.png}" soup onion garlic
