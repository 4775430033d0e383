#!/usr/bin/env bash
# Builds the libFuzzer targets (the `fuzz` preset: clang, the core and the simulator built with
# coverage, AddressSanitizer and UndefinedBehaviorSanitizer) and runs each for SECONDS
# (default 30) on a scratch copy of its seed corpus, fuzz/corpus/<name>/ for fuzz/<name>_fuzz.cpp.
# Fails when a target finds a crash, a leak, undefined behaviour or a broken invariant; the
# input that did it is kept in build/fuzz/artifacts/ (rerun: build/fuzz/fuzz/<target> FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
case $seconds in
    '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2 ;;
esac

targets=()
for source in fuzz/*_fuzz.cpp; do
    targets+=("$(basename "$source" .cpp)")
done

# clang, and libFuzzer with the sanitizer runtimes.
scripts/install-deps.sh clang libclang-rt-dev
echo "=== fuzz build"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"

artifacts=build/fuzz/artifacts
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$artifacts"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
summary=()
for target in "${targets[@]}"; do
    seeds=fuzz/corpus/${target%_fuzz}
    if [ -z "$(ls -A "$seeds" 2>/dev/null)" ]; then
        echo "$target: no seed files in $seeds" >&2
        failed+=("$target")
        continue
    fi
    corpus=$scratch/$target
    log=$scratch/$target.log
    cp -r "$seeds" "$corpus"
    echo "=== $target, ${seconds} s"
    if build/fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/$target-" "$corpus" >"$log" 2>&1; then
        result=ok
    else
        result=FAILED
        failed+=("$target")
        tail -n 60 "$log"
    fi
    # The last status line carries the coverage; the final statistics the executions.
    status=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$status")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$status")
    corp=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$status")
    summary+=("$(printf '%-26s %-7s %10s %6s %6s %6s' "$target" "$result" "${execs:-?}" \
        "${cov:-?}" "${ft:-?}" "${corp:-?}")")
done

echo "=== fuzz summary (${seconds} s each)"
printf '%-26s %-7s %10s %6s %6s %6s\n' target result execs cov ft corpus
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing failed: ${failed[*]}" >&2
    exit 1
fi
