#!/usr/bin/env bash
# Builds a release build of Saltrove and starts a program.
#
#   ./run.sh           the desktop program
#   ./run.sh --demo    the desktop program on the sample cookbook in
#                      examples/cookbook, with settings kept in a throw-away
#                      folder (your own settings are not touched)
#
# Arguments after "--" are passed to the program.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

program=saltrove
demo=0
pass=()
while [[ $# -gt 0 ]]; do
    case "$1" in
    --demo) demo=1; shift ;;
    --) shift; pass=("$@"); break ;;
    -h | --help) sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
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

if [[ $demo -eq 0 ]]; then
    exec "$binary" "${pass[@]}"
fi

# The program keeps its settings under XDG_CONFIG_HOME; a fresh one, holding
# only the sample cookbook as the collection folder, is removed afterwards.
settings_home="$(mktemp -d "${TMPDIR:-/tmp}/saltrove-demo.XXXXXX")"
trap 'rm -rf "$settings_home"' EXIT
mkdir -p "$settings_home/saltrove.org"
# Qt writes the group "General" as [%General] in its settings files; the value
# is quoted so that a comma in the path does not make it a list.
cookbook="$PWD/examples/cookbook"
cookbook="${cookbook//\\/\\\\}"
cookbook="${cookbook//\"/\\\"}"
printf '[%%General]\nlocation="%s"\n' "$cookbook" >"$settings_home/saltrove.org/Saltrove.conf"
XDG_CONFIG_HOME="$settings_home" "$binary" "${pass[@]}"
