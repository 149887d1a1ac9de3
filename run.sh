#!/usr/bin/env bash
# Builds a release build of Saltrove and starts a program.
#
#   ./run.sh                   the desktop program
#   ./run.sh --demo            the desktop program on a copy of the sample
#                              cookbook (examples/cookbook, copied once to
#                              ~/.local/share/saltrove-demo/cookbook), with
#                              settings kept in a throw-away folder (your own
#                              are not touched)
#   ./run.sh --touch           the touch program
#   ./run.sh --touch --demo    the touch program on the same copy, the same
#                              way: a shopping list made in one shows in the
#                              other
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
    --touch) program=saltrovetouch; shift ;;
    --) shift; pass=("$@"); break ;;
    -h | --help) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "unknown option: $1 (try --help)" >&2; exit 2 ;;
    esac
done

scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-release --parallel "${SALTROVE_JOBS:-2}"

# Each program's folder, its settings file below XDG_CONFIG_HOME (organisation
# folder and application name) and its own environment.
settings_file=vantrel.org/Saltrove.conf
if [[ $program == saltrovetouch ]]; then
    binary="build-release/touch/$program"
    settings_file=vantrel.org/SaltroveTouch.conf
    # The Tessellate framework: an installed one is found by Qt itself; the
    # stand-in built here comes first.
    export QML_IMPORT_PATH="$PWD/build-release/qml${QML_IMPORT_PATH:+:$QML_IMPORT_PATH}"
else
    binary="build-release/desktop/$program"
fi
if [[ ! -x "$binary" ]]; then
    echo "Built the recipe core; no program exists yet ($binary is not built)."
    exit 0
fi

if [[ $demo -eq 0 ]]; then
    exec "$binary" "${pass[@]}"
fi

sample="$PWD/examples/cookbook"
if [[ ! -d $sample ]]; then
    echo "The sample cookbook ($sample) is not there." >&2
    exit 1
fi
# Both demos share one copy outside the repository, so that the shopping list
# they keep in the cookbook ("shopping-list.md") is the same for both and no
# demo ever writes into the repository. Files missing from the copy are added;
# nothing in it is overwritten.
cookbook="${XDG_DATA_HOME:-$HOME/.local/share}/saltrove-demo/cookbook"
mkdir -p "$cookbook"
cp -R -n "$sample/." "$cookbook/"
echo "Demo cookbook: $cookbook"

# The program keeps its settings under XDG_CONFIG_HOME; a fresh one, holding
# only the sample cookbook as the collection folder, is removed afterwards.
settings_home="$(mktemp -d "${TMPDIR:-/tmp}/saltrove-demo.XXXXXX")"
trap 'rm -rf "$settings_home"' EXIT
mkdir -p "$settings_home/$(dirname "$settings_file")"
# Qt writes the group "General" as [%General] in its settings files; the value
# is quoted so that a comma in the path does not make it a list.
cookbook="${cookbook//\\/\\\\}"
cookbook="${cookbook//\"/\\\"}"
printf '[%%General]\nlocation="%s"\n' "$cookbook" >"$settings_home/$settings_file"
XDG_CONFIG_HOME="$settings_home" "$binary" "${pass[@]}"
