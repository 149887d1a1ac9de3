#!/usr/bin/env bash
# Builds one of the desktop program's picture takers and runs it offscreen on
# the sample cookbook, in a throw-away home, so that nothing of the user's is
# read or written:
#
#   scripts/desktop-screenshot.sh <target> <output.png> [arguments...]
#
# The arguments after the output go to the picture taker.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

target=$1
output=$2
shift 2
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build --parallel "${SALTROVE_JOBS:-2}" --target "$target"

home="$(mktemp -d "${TMPDIR:-/tmp}/saltrove-screenshot.XXXXXX")"
trap 'rm -rf "$home"' EXIT
mkdir -p "$(dirname "$output")" "$home/runtime"
chmod 700 "$home/runtime"
# A copy of the cookbook: the shopping list is written into the cookbook it
# shows, never into the repository.
cp -R examples/cookbook "$home/cookbook"
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
    "build/tests/screenshots/$target" "$home/cookbook" "$output" "$@"
echo "Saved $output"
