#!/usr/bin/env bash
# Builds Saltrove and runs its whole test suite through ctest.
#
#   ./test.sh          install missing dependencies, build (build/), run every test
#   ./test.sh --full   the same, then the whole suite again under AddressSanitizer
#                      with LeakSanitizer and UndefinedBehaviorSanitizer
#                      (build-asan/), and the threaded tests under ThreadSanitizer
#                      (build-tsan/), and a 25-second run of each fuzz target of
#                      the parser and the importer (scripts/fuzz.sh, build-fuzz/;
#                      two targets at a time, so the stage stays near two minutes)
#
# Exits non-zero on the first failure. SALTROVE_JOBS sets the build parallelism
# (default 2).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

full=0
for arg in "$@"; do
    case "$arg" in
    --full) full=1 ;;
    -h | --help)
        sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'
        exit 0
        ;;
    *)
        echo "unknown option: $arg (try --help)" >&2
        exit 2
        ;;
    esac
done

scripts/install-deps.sh
jobs="${SALTROVE_JOBS:-2}"

# build_and_test <build dir> <ctest arguments...> -- <cmake arguments...>
build_and_test() {
    local dir=$1
    shift
    local ctest_args=()
    while [[ $# -gt 0 && $1 != -- ]]; do
        ctest_args+=("$1")
        shift
    done
    [[ $# -gt 0 ]] && shift
    echo "=== $dir: configure, build, test"
    cmake -S . -B "$dir" -G Ninja -DBUILD_TESTING=ON "$@"
    # Build only what the selected tests need (every test is named after its
    # executable); without a selection, build everything.
    local targets=()
    if [[ ${#ctest_args[@]} -gt 0 ]]; then
        mapfile -t targets < <(ctest --test-dir "$dir" -N "${ctest_args[@]}" |
            sed -n 's/^ *Test *#[0-9]*: *\([^ ]*\).*/\1/p')
    fi
    cmake --build "$dir" --parallel "$jobs" ${targets[@]+--target "${targets[@]}"}
    ctest --test-dir "$dir" --output-on-failure --parallel "$jobs" "${ctest_args[@]}"
}

build_and_test build -- -DCMAKE_BUILD_TYPE=Debug -DSALTROVE_SANITIZE=

if [[ $full -eq 1 ]]; then
    supp="$PWD/scripts/sanitizers"
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
    export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$supp/ubsan.supp"
    build_and_test build-asan -- -DCMAKE_BUILD_TYPE=Debug -DSALTROVE_SANITIZE=address

    export TSAN_OPTIONS="halt_on_error=1:suppressions=$supp/tsan.supp"
    build_and_test build-tsan --label-regex threads -- -DCMAKE_BUILD_TYPE=Debug -DSALTROVE_SANITIZE=thread

    echo "=== fuzzing the parser and the importer's readers"
    scripts/fuzz.sh 25
fi
echo "=== all tests passed"
