#!/usr/bin/env bash
# Takes the screenshot of the desktop program's shopping list shown in
# README.md: two recipes of the sample cookbook merged, the first doubled,
# rendered offscreen, saved as docs/images/saltrove-shopping-list.png (or the
# path given as the first argument).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

output="${1:-docs/images/saltrove-shopping-list.png}"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build --parallel "${SALTROVE_JOBS:-2}" --target shoppinglist_screenshot

# A throw-away home, so that nothing of the user's is read or written.
home="$(mktemp -d "${TMPDIR:-/tmp}/saltrove-screenshot.XXXXXX")"
trap 'rm -rf "$home"' EXIT
mkdir -p "$(dirname "$output")" "$home/runtime"
chmod 700 "$home/runtime"
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
    build/tests/desktop/shoppinglist_screenshot examples/cookbook "$output" \
    "Roasted Tomato Soup" "Yellow Split Pea Soup"
echo "Saved $output"
