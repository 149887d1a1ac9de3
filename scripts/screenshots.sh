#!/usr/bin/env bash
# Renders every picture in README.md again, offscreen, on the sample cookbook:
# the desktop program's (scripts/screenshot.sh), its Find pane's
# (scripts/screenshot-find.sh), its shopping list
# (scripts/screenshot-shopping.sh), its cooking view
# (scripts/screenshot-cooking.sh) and the touch program's
# (scripts/screenshot-touch.sh), into docs/images/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/screenshot.sh
scripts/screenshot-find.sh
scripts/screenshot-shopping.sh
scripts/screenshot-cooking.sh
scripts/screenshot-touch.sh
