#!/usr/bin/env bash
# Builds the parser's libFuzzer targets with clang (build-fuzz/) and runs each
# for the given number of seconds (default 60), starting from a seed corpus made
# of the sample cookbook and the recipe template. New interesting inputs are
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
targets=(fuzz_parserecipe fuzz_parseingredientline fuzz_ingredientmatcher fuzz_cookingrecipe)
cmake --build "$dir" --parallel "${SALTROVE_JOBS:-2}" --target "${targets[@]}"

seeds=("resources/docs/template.md")
mapfile -t -O 1 seeds < <(find examples/cookbook -name '*.recipe.md' | sort)
mkdir -p "$dir/findings"
for target in "${targets[@]}"; do
    corpus="$dir/corpus/$target"
    mkdir -p "$corpus"
    if [[ $target != fuzz_parserecipe && $target != fuzz_cookingrecipe ]]; then
        # One seed per line of the seed recipes.
        cat "${seeds[@]}" | split -l 1 -a 4 - "$corpus/seed-line-"
    else
        for seed in "${seeds[@]}"; do cp "$seed" "$corpus/seed-$(basename "$seed")"; done
    fi
    echo "=== $target: ${seconds}s"
    ASAN_OPTIONS="detect_leaks=1" "$dir/tests/fuzz/$target" -max_total_time="$seconds" -max_len=8192 \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$dir/findings/$target-" "$corpus"
done
echo "=== fuzzing found nothing"
