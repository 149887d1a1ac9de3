#!/usr/bin/env bash
# Takes the pictures of the touch program shown in README.md: the main page,
# a recipe page, the cooking page, the Shopping list page and the Find page on
# the sample cookbook, rendered offscreen at the window's 480×640, saved as
# saltrovetouch-main.png, saltrovetouch-recipe.png, saltrovetouch-cook.png,
# saltrovetouch-shopping-list.png and saltrovetouch-find.png in docs/images/
# (or in the folder given as the second argument). The pictures are taken on
# a copy of the cookbook, whose shopping list they write.
#
#   scripts/screenshot-touch.sh [cookbook] [output folder]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

cookbook="${1:-examples/cookbook}"
output="${2:-docs/images}"
if [[ ! -d "$cookbook" ]]; then
    echo "no cookbook at $cookbook" >&2
    exit 1
fi
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build --parallel "${SALTROVE_JOBS:-2}" --target touch_screenshot

# A throw-away home, so that nothing of the user's is read or written.
home="$(mktemp -d "${TMPDIR:-/tmp}/saltrovetouch-screenshot.XXXXXX")"
trap 'rm -rf "$home"' EXIT
mkdir -p "$output" "$home/runtime"
chmod 700 "$home/runtime"
cp -R "$cookbook" "$home/cookbook"
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
    QML_IMPORT_PATH="$PWD/build/qml" \
    build/tests/screenshots/touch_screenshot "$home/cookbook" "$output"
