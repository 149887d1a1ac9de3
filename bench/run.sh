#!/usr/bin/env bash
# Builds the benchmark in Release (build-rel/), runs it at 1,000, 10,000 and
# 100,000 recipes of both cookbook profiles (standard and heavy) and writes the
# results into bench/README.md between the result markers. Cookbooks are
# generated once under /tmp/saltrove-bench (about 150 MB each at 100,000
# recipes) and reused. Extra arguments go to the
# benchmark (e.g. --sizes 1000,10000 --repeat 7).
#
# Runs under the machine's shared build lock, so that no build or test runs
# beside the measurement.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
lock=/tmp/saltrove-build.lock

scripts/install-deps.sh
flock "$lock" cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
    -DSALTROVE_SANITIZE= >/dev/null
flock "$lock" cmake --build build-rel --parallel "${SALTROVE_JOBS:-2}" --target saltrove_bench

export QML_IMPORT_PATH="$PWD/build-rel/qml"
results=$(mktemp)
trap 'rm -f "$results"' EXIT
{
    echo "Measured $(date -u +%Y-%m-%d) at commit $(git rev-parse --short HEAD)$(git diff --quiet HEAD || echo ' (with uncommitted changes)')" \
        "on $(nproc) cores ($(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1))."
    echo
    for profile in standard heavy; do
        flock "$lock" ./build-rel/bench/saltrove_bench --profile "$profile" "$@" \
            2> >(grep -v propagateSizeHints >&2)
        echo
    done
} >"$results"

readme=bench/README.md
python3 - "$readme" "$results" <<'PY'
import sys
readme, results = sys.argv[1], sys.argv[2]
text = open(readme).read()
begin, end = "<!-- results -->\n", "<!-- /results -->"
head, rest = text.split(begin, 1)
tail = rest.split(end, 1)[1]
open(readme, "w").write(head + begin + open(results).read() + end + tail)
PY
cat "$results"
