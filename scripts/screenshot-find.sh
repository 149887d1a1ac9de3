#!/usr/bin/env bash
# Takes the screenshot of the Find pane shown in README.md: the main window on
# the sample cookbook with the Find dock open, a word typed and two
# ingredients chosen, rendered offscreen, saved as
# docs/images/saltrove-find.png (or the path given as the first argument).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

output="${1:-docs/images/saltrove-find.png}"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build --parallel "${SALTROVE_JOBS:-2}" --target desktop_find_screenshot

# A throw-away home, so that nothing of the user's is read or written.
home="$(mktemp -d "${TMPDIR:-/tmp}/saltrove-screenshot.XXXXXX")"
trap 'rm -rf "$home"' EXIT
mkdir -p "$(dirname "$output")" "$home/runtime"
chmod 700 "$home/runtime"
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
    build/tests/desktop/desktop_find_screenshot examples/cookbook "$output" soup onion garlic
echo "Saved $output"
