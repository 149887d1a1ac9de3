#!/usr/bin/env bash
# Takes the screenshot of the desktop program shown in README.md: the main
# window on the sample cookbook, rendered offscreen, saved as
# docs/images/saltrove-desktop.png (or the path given as the first argument).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
exec scripts/desktop-screenshot.sh desktop_screenshot "${1:-docs/images/saltrove-desktop.png}"
