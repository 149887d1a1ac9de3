#!/usr/bin/env bash
# Builds a release build of Saltrove and starts a program.
#
#   ./run.sh           the desktop program
#
# Arguments after "--" are passed to the program.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

program=saltrove
pass=()
while [[ $# -gt 0 ]]; do
    case "$1" in
    --) shift; pass=("$@"); break ;;
    -h | --help) sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "unknown option: $1 (try --help)" >&2; exit 2 ;;
    esac
done

scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-release --parallel "${SALTROVE_JOBS:-2}"

binary="build-release/desktop/$program"
if [[ ! -x "$binary" ]]; then
    echo "Built the recipe core; no program exists yet ($binary is not built)."
    exit 0
fi
exec "$binary" "${pass[@]}"
