#!/usr/bin/env bash
# Builds the libFuzzer targets of the parser, the ingredient-line reader and the
# importer's readers with clang (build-fuzz/) and runs each for the given number
# of seconds (default 60), starting from a seed corpus: the sample cookbook and
# the recipe template for the parser and the ingredient-line reader, the
# importer's test pages and tests/fuzz/seeds for the readers; two targets run at
# once (SALTROVE_JOBS), each on one core. New interesting inputs are
# kept in build-fuzz/corpus/<target>/; a crash leaves its input in
# build-fuzz/findings/ and makes the script fail.
#
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds="${1:-60}"

scripts/install-deps.sh
dir=build-fuzz
CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DSALTROVE_SANITIZE=address -DSALTROVE_FUZZ=ON
targets=(fuzz_parserecipe fuzz_parseingredientline fuzz_ingredientmatcher fuzz_readingredientline fuzz_cookingrecipe
    fuzz_importjsonld fuzz_importhtml fuzz_importcooklang fuzz_importplaintext
    fuzz_importplugin fuzz_importinlinestate fuzz_importcleanup)
cmake --build "$dir" --parallel "${SALTROVE_JOBS:-2}" --target "${targets[@]}"

seeds=("resources/docs/template.md")
mapfile -t -O 1 seeds < <(find examples/cookbook -name '*.recipe.md' | sort)
mkdir -p "$dir/findings" "$dir/logs"
for target in "${targets[@]}"; do
    corpus="$dir/corpus/$target"
    mkdir -p "$corpus"
    case $target in
    fuzz_parserecipe | fuzz_cookingrecipe)
        for seed in "${seeds[@]}"; do cp "$seed" "$corpus/seed-$(basename "$seed")"; done ;;
    fuzz_importjsonld) cp tests/core/import/pages/*.json "$corpus/" ;;
    fuzz_importhtml) cp tests/core/import/pages/*.html "$corpus/" ;;
    fuzz_importcooklang) cp tests/fuzz/seeds/cooklang/* "$corpus/" ;;
    fuzz_importplaintext) cp tests/fuzz/seeds/plaintext/* "$corpus/" ;;
    fuzz_importplugin) cp tests/core/import/pages/*.html "$corpus/" ;;
    fuzz_importinlinestate) cp tests/fuzz/seeds/inlinestate/* "$corpus/" ;;
    fuzz_importcleanup) cp tests/fuzz/seeds/cleanup/* "$corpus/" ;;
    *)
        # One seed per line of the seed recipes.
        cat "${seeds[@]}" | split -l 1 -a 4 - "$corpus/seed-line-" ;;
    esac
done

# Two targets at a time (SALTROVE_JOBS): each is one process on one core. A
# target's output is shown when it ends, whole if it found something.
fuzz_one() {
    local target=$1
    local log="$dir/logs/$target.log"
    if ASAN_OPTIONS="detect_leaks=1" "$dir/tests/fuzz/$target" -max_total_time="$seconds" -max_len=8192 \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$dir/findings/$target-" "$dir/corpus/$target" >"$log" 2>&1; then
        echo "=== $target: ${seconds}s, nothing found ($(grep -a -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" || true))"
    else
        echo "=== $target: FOUND A FAULT"
        cat "$log"
        return 1
    fi
}
export -f fuzz_one
export dir seconds
printf '%s\n' "${targets[@]}" | xargs -P "${SALTROVE_JOBS:-2}" -I{} bash -c 'fuzz_one "$1"' _ {}
echo "=== fuzzing found nothing"
