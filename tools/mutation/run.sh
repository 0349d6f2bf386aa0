#!/usr/bin/env bash
# Plants the faults of faults.tsv one at a time in a scratch copy of the tree, rebuilds it
# (Release, incremental), runs ctest and records which tests fail. The tree it is run from is
# never modified. See README.md in this directory.
set -uo pipefail

usage() {
  cat <<'EOF'
usage: tools/mutation/run.sh [options] [FAULT_ID...]
  --check          only verify that every fault's original text occurs exactly once; no build
  -R REGEX         run only the tests matching REGEX (ctest -R)
  -E REGEX         skip the tests matching REGEX (ctest -E)
  --timeout SEC    limit for each test, also for tests with their own TIMEOUT (default 300)
  --repeat N       run a failing test up to N times; it counts only if it fails every time (default 2)
  --first          stop each fault's test run at its first failing test: tells caught from missed
                   quickly, but lists one catching test, not all of them
  -j N             build and ctest parallelism (default: number of cores)
  --work DIR       keep the scratch copy and build in DIR for later runs (default: temporary, removed)
  -o FILE          result table (default: build/mutation-results.md); logs go to FILE's -logs folder
  --faults FILE    fault list (default: tools/mutation/faults.tsv)
With no FAULT_ID every fault of the list is planted.
EOF
}

script_dir=$(cd "$(dirname "$0")" && pwd)
root=$(git -C "$script_dir" rev-parse --show-toplevel) || exit 2
faults_file=$script_dir/faults.tsv
check_only=0
include= exclude= timeout=300 repeat=2 first=() jobs=$(nproc 2>/dev/null || echo 2)
work= keep_work=0
results=$root/build/mutation-results.md
ids=()
while [ $# -gt 0 ]; do
  case $1 in
    --check) check_only=1 ;;
    -R) include=$2; shift ;;
    -E) exclude=$2; shift ;;
    --timeout) timeout=$2; shift ;;
    --repeat) repeat=$2; shift ;;
    --first) first=(--stop-on-failure) ;;
    -j) jobs=$2; shift ;;
    --work) work=$2; keep_work=1; shift ;;
    -o) results=$2; shift ;;
    --faults) faults_file=$2; shift ;;
    -h|--help) usage; exit 0 ;;
    -*) usage >&2; exit 2 ;;
    *) ids+=("$1") ;;
  esac
  shift
done
export LC_ALL=C

# Fault rows as id, file, original, replacement, description, separated by \x1f (a separator
# that read does not merge, so an empty replacement stays a field). Comment lines and the
# header are skipped; with ids given only those rows, in the order given.
fault_rows() {
  awk -F'\t' -v OFS=$'\x1f' -v wanted="${ids[*]:-}" '
    BEGIN { n = split(wanted, list, " "); for (i = 1; i <= n; i++) want[list[i]] = i }
    /^#/ || NF == 0 || $1 == "id" { next }
    NF != 5 { printf "%s line %d: %d fields, expected 5\n", FILENAME, NR, NF > "/dev/stderr"; bad = 1; next }
    seen[$1]++ { printf "%s line %d: fault id %s used twice\n", FILENAME, NR, $1 > "/dev/stderr"; bad = 1 }
    n == 0 { print $1, $2, $3, $4, $5; next }
    ($1 in want) { row[want[$1]] = $1 OFS $2 OFS $3 OFS $4 OFS $5 }
    END {
      for (i = 1; i <= n; i++) {
        if (i in row) print row[i]
        else { printf "unknown fault id: %s\n", list[i] > "/dev/stderr"; bad = 1 }
      }
      exit bad
    }' "$faults_file"
}

# plant MODE FILE ORIGINAL REPLACEMENT: "count" prints how often ORIGINAL occurs in FILE;
# "apply" replaces its only occurrence and fails unless there is exactly one. Fields may
# write a tab as \t, a newline as \n and a backslash as \\.
plant() {
  perl -e '
    my ($mode, $path, $original, $replacement) = @ARGV;
    for ($original, $replacement) { s/\\(.)/$1 eq "n" ? "\n" : $1 eq "t" ? "\t" : $1/ge }
    my $text = "";
    if (open(my $in, "<", $path)) { local $/; $text = <$in>; close $in }
    my $count = 0; my $at = 0;
    while (($at = index($text, $original, $at)) >= 0) { $count++; $at += length $original }
    if ($mode eq "count") { print "$count\n"; exit 0 }
    exit 3 if $count != 1;
    substr($text, index($text, $original), length $original) = $replacement;
    open(my $out, ">", $path) or exit 4; print $out $text; close $out or exit 4;
  ' "$@"
}

rows=$(fault_rows) || exit 2

if [ "$check_only" = 1 ]; then
  stale=0 total=0
  while IFS=$'\x1f' read -r id file original replacement description; do
    total=$((total + 1))
    count=$(plant count "$root/$file" "$original" "$replacement")
    if [ "$count" != 1 ]; then
      echo "STALE $id: original text found $count times in $file"
      stale=$((stale + 1))
    fi
  done <<<"$rows"
  echo "$total faults, $stale stale"
  [ "$stale" = 0 ]
  exit
fi

mkdir -p "$(dirname "$results")"
results=$(cd "$(dirname "$results")" && pwd)/$(basename "$results")
logs=${results%.md}-logs
mkdir -p "$logs"
if [ -z "$work" ]; then
  work=$(mktemp -d "${TMPDIR:-/tmp}/quorlax-mutation.XXXXXX")
else
  work=$(realpath -m "$work")
  # Inside the tree it would copy itself into its own copy.
  case $work/ in
    "$root"/*) git -C "$root" check-ignore -q "$work" || { echo "--work inside the tree must be ignored by git" >&2; exit 2; } ;;
  esac
  mkdir -p "$work"
fi
src=$work/src
build=$work/build
scratch=$work/run  # this run's own files
saved_original=$scratch/original
mkdir -p "$src" "$scratch"
planted_file=
child=

cleanup() {
  trap - EXIT INT TERM
  # The build or test run has a process group of its own: end it and whatever it started.
  [ -n "$child" ] && kill -- "-$child" 2>/dev/null
  [ -n "$planted_file" ] && cp "$saved_original" "$src/$planted_file"
  if [ "$keep_work" = 1 ]; then rm -rf "$scratch"; else rm -rf "$work"; fi
}
trap cleanup EXIT
# The message goes to the terminal even while output is redirected into a log.
exec {console}>&2
trap 'echo "interrupted" >&$console; exit 130' INT TERM

# Runs a program in a process group of its own, so that an interrupt can end all of it;
# leftovers of the group are ended when the program returns.
run_group() {
  setsid "$@" &
  child=$!
  wait "$child"
  local status=$?
  kill -- "-$child" 2>/dev/null
  child=
  return "$status"
}

# Makes src an exact copy of the tree's tracked and unignored files. Unchanged files keep their
# times, so a kept build directory rebuilds only what differs.
sync_sources() {
  local list=$scratch/files
  git -C "$root" ls-files --cached --others --exclude-standard | sort -u >"$list"
  while IFS= read -r path; do
    [ -f "$root/$path" ] || continue
    if ! cmp -s "$root/$path" "$src/$path"; then
      mkdir -p "$(dirname "$src/$path")"
      cp "$root/$path" "$src/$path"
    fi
  done <"$list"
  (cd "$src" && find . -type f | sed 's|^\./||' | sort) | comm -13 "$list" - | while IFS= read -r path; do
    rm -f "$src/$path"
  done
}

# Configures once and builds; then makes the run's timeout the limit of every test (ctest's
# --timeout alone leaves tests that have a TIMEOUT property alone).
build_tree() {
  local begin=$SECONDS
  if [ ! -f "$build/CMakeCache.txt" ]; then
    local generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    run_group cmake -S "$src" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release || return 1
  fi
  run_group cmake --build "$build" -j "$jobs" || return 1
  echo "-- build took $((SECONDS - begin)) s"
  find "$build" -name CTestTestfile.cmake -exec sed -i -E "s/TIMEOUT \"[0-9.]+\"/TIMEOUT \"$timeout\"/g" {} +
}

filters=()
[ -n "$include" ] && filters+=(-R "$include")
[ -n "$exclude" ] && filters+=(-E "$exclude")

# Runs the tests, output appended to the log. A failure must repeat: the e2e tests can miss a
# key press on a heavily loaded machine.
run_tests() {
  local log=$1 begin=$SECONDS
  run_group ctest --test-dir "$build" -j "$jobs" --timeout "$timeout" --repeat "until-pass:$repeat" "${first[@]}" \
    --output-on-failure "${filters[@]}" >>"$log" 2>&1
  echo "-- tests took $((SECONDS - begin)) s" >>"$log"
}

# The failed tests of the log's test run, one per line, with " (Timeout)" after those that hung.
failed_tests() {
  awk '/^The following tests FAILED:/ { listing = 1; next }
       listing && /^[ \t]+[0-9]+ - / {
         sub(/^[ \t]+[0-9]+ - /, "")
         print (/\(Timeout\)/ ? $1 " (Timeout)" : $1)
         next
       }
       { listing = 0 }' "$1"
}

# Markdown cell text: pipes escaped.
cell() { printf '%s' "${1//|/\\|}"; }
# Words of the arguments joined by ", ".
commas() { echo $* | sed 's/ /, /g'; }

started=$(date -u '+%Y-%m-%d %H:%M UTC')
commit=$(git -C "$root" rev-parse --short HEAD)
[ -n "$(git -C "$root" status --porcelain)" ] && commit="$commit (with uncommitted changes)"

echo "== copying the tree to $src"
sync_sources
echo "== baseline build and tests (logs in $logs)"
baseline_log=$logs/baseline.log
: >"$baseline_log"
if ! build_tree >>"$baseline_log" 2>&1; then
  echo "the unchanged tree does not build; see $baseline_log" >&2
  exit 1
fi
run_tests "$baseline_log"
baseline_failures=$(failed_tests "$baseline_log" | sed 's/ .*//')
[ -n "$baseline_failures" ] && echo "failing without any fault, so not counted: $(commas $baseline_failures)"
all_tests=$(ctest --test-dir "$build" -N "${filters[@]}" | sed -n 's/^ *Test *#[0-9]*: //p' | sort)

table=$scratch/table
catches=$scratch/catches  # lines: test, tab, fault id
: >"$table"
: >"$catches"
caught=0 missed=0 stale=0 broken=0 total=0
while IFS=$'\x1f' read -r id file original replacement description; do
  total=$((total + 1))
  log=$logs/$id.log
  : >"$log"
  begin=$SECONDS
  verdict=
  cp "$src/$file" "$saved_original" 2>/dev/null
  if plant apply "$src/$file" "$original" "$replacement"; then
    planted_file=$file
  else
    verdict="stale: original text found $(plant count "$src/$file" "$original" "") times"
    stale=$((stale + 1))
  fi
  if [ -z "$verdict" ]; then
    echo "== $id: $description"
    if ! build_tree >>"$log" 2>&1; then
      verdict="build fails (caught by the compiler)"
      broken=$((broken + 1))
    else
      run_tests "$log"
      found=()
      while IFS= read -r failure; do
        [ -z "$failure" ] && continue
        grep -qxF "${failure%% *}" <<<"$baseline_failures" && continue
        found+=("$failure")
        printf '%s\t%s\n' "${failure%% *}" "$id" >>"$catches"
      done <<<"$(failed_tests "$log")"
      if [ ${#found[@]} -eq 0 ]; then
        verdict="**NOT CAUGHT**"
        missed=$((missed + 1))
      else
        verdict=$(printf '%s, ' "${found[@]}")
        verdict=${verdict%, }
        caught=$((caught + 1))
      fi
    fi
    # Writing the original back gives it a new time stamp, so the next build recompiles it.
    cp "$saved_original" "$src/$file"
    planted_file=
  fi
  seconds=$((SECONDS - begin))
  echo "   $id: $verdict (${seconds} s)"
  printf '| %s | %s | %s | %s | %s |\n' "$id" "$(cell "$file")" "$(cell "$description")" "$(cell "$verdict")" \
    "$seconds" >>"$table"
done <<<"$rows"

scope="all tests"
[ -n "$include" ] && scope="tests matching '$include'"
[ -n "$exclude" ] && scope="$scope except those matching '$exclude'"
{
  echo "# Planted faults"
  echo
  echo "Commit $commit, run $started: $scope, each limited to $timeout s; a test counts as failing" \
    "only when it fails $repeat runs in a row."
  [ -n "$baseline_failures" ] && echo "Failing without any fault, so not counted: $(commas $baseline_failures)."
  echo
  echo "$total faults: $caught caught by tests, $broken by the compiler, $missed not caught, $stale stale."
  echo
  echo "| Fault | File | Description | Caught by | Seconds |"
  echo "|---|---|---|---|---|"
  cat "$table"
  echo
  echo "## Faults per test"
  echo
  echo "| Test | Faults caught | Faults no other test catches |"
  echo "|---|---|---|"
  for test in $all_tests; do
    mine=$(awk -F'\t' -v t="$test" '$1 == t { print $2 }' "$catches")
    only=$(awk -F'\t' -v t="$test" '{ by[$2] = by[$2] " " $1 } END { for (f in by) if (by[f] == " " t) print f }' \
      "$catches" | sort)
    printf '| %s | %s | %s |\n' "$test" "$(commas ${mine:-none})" "$(commas $only)"
  done
} >"$results"
echo "== results in $results"
cat "$results"
