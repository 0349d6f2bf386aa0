#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time, seeded with the game's models.
# Crashes inside the model library are expected: their inputs are kept in <fuzz build dir>/kept/ and
# the game's own loading path (the import process) must survive each of them. A crash or a broken
# invariant in the game's staging fails the run; its input is left in <fuzz build dir>/failures/.
#   run.sh <game build dir> <fuzz build dir> [seconds per target]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
game_build=$(cd "$1" && pwd)
fuzz_build=$2
seconds=${3:-60}
limits=(-timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=512)

cmake -S "$root" -B "$fuzz_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DQUORLAX_FUZZ=ON -DQUORLAX_TESTS=OFF >/dev/null
cmake --build "$fuzz_build" -j "$(nproc)" --target collada_fuzz staged_model_fuzz >/dev/null
fuzz_build=$(cd "$fuzz_build" && pwd)
bin=$fuzz_build/tests/fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Seeds: the game's models (and a small one, so that the first mutations run fast), and the import
# program's answer for each (after its 8-byte length).
mkdir -p "$work/collada_fuzz" "$work/staged_model_fuzz"
cp "$game_build"/Models/*.dae "$root/tests/fuzz/seeds/"* "$work/collada_fuzz/"
for model in "$game_build"/Models/*.dae; do
  "$game_build/quorlax-import" "$model" | tail -c +9 >"$work/staged_model_fuzz/$(basename "$model" .dae)"
done

export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1

# A crash of collada_fuzz belongs to the library unless the game's code broke an invariant, hit
# undefined behaviour, or lies on the crashing stack above the fuzz entry point (a stack cut short
# by deep recursion, an out-of-memory or a timeout inside the library has none of it).
library_crash() {
  local target=$1 input=$2 report above_entry
  [ "$target" = collada_fuzz ] || return 1
  # The staging is linear in what the library returns: the library hung or grew without end.
  case $(basename "$input") in timeout-* | oom-*) return 0 ;; esac
  report=$("$bin/$target" "${limits[@]}" "$input" 2>&1 || true)
  grep -qE 'staging invariant broken|runtime error:' <<<"$report" && return 1
  above_entry=$(awk '/^ *#0 /{on=1} on && (!/^ *#[0-9]+ / || /LLVMFuzzerTestOneInput/){exit} on' <<<"$report")
  ! grep -qE " $root/[^ ]+:[0-9]+" <<<"$above_entry"  # a source line of the game, not the binary's path
}

rm -rf "$fuzz_build/kept" "$fuzz_build/failures"
mkdir -p "$fuzz_build/kept" "$fuzz_build/failures"
failed=0
for target in collada_fuzz staged_model_fuzz; do
  mkdir -p "$work/artifacts-$target"
  "$bin/$target" -fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1 -max_total_time="$seconds" \
    "${limits[@]}" -artifact_prefix="$work/artifacts-$target/" "$work/$target" >"$work/$target.log" 2>&1 || true
  summary=$(grep -E '^#[0-9]+: ' "$work/$target.log" | tail -n 1 || true)
  [ -n "$summary" ] || { tail -n 20 "$work/$target.log"; echo "FAIL: $target did not run"; failed=1; }
  library=0 ours=0
  for input in "$work/artifacts-$target"/*; do
    [ -e "$input" ] || continue
    if library_crash "$target" "$input"; then
      cp "$input" "$fuzz_build/kept/"
      library=$((library + 1))
    else
      cp "$input" "$fuzz_build/failures/"
      ours=$((ours + 1))
    fi
  done
  echo "$target: $summary | library crashes kept: $library, staging failures: $ours"
  [ "$ours" -eq 0 ] || failed=1
done

if [ -n "$(ls -A "$fuzz_build/kept")" ]; then
  echo "Inputs that crash the model library are in $fuzz_build/kept; add small ones to tests/fuzz/regressions/."
  (cd "$game_build" && QUORLAX_FUZZ_INPUTS="$fuzz_build/kept" ./tests/model_import_test --gtest_filter='ChildImport.*') ||
    { echo "FAIL: the game's model loading did not survive a kept input"; failed=1; }
fi
[ "$failed" -eq 0 ] || echo "FAIL: the game's staging crashed or broke an invariant; inputs in $fuzz_build/failures"
exit "$failed"
