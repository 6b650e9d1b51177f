#!/usr/bin/env bash
# Runs every test of the project and prints one summary; the exit status
# is 0 only when everything passed:
#   core      the portable core's tests, natively under ASan and UBSan
#   fuzz      libFuzzer on every reader of drive files, for a bounded time
#   windows   the Windows tests, in-process under Wine (CTest)
#   exe-file  the built programs and the release archive checked as files
#             (imports, import slots, manifest, machine type): the shipped
#             32-bit program is proven here even where it cannot run
#   e2e       the real Quillobrante.exe on a demo drive under Xvfb
set -uo pipefail
# Wine started with standard input closed (as CI may start us) never shows
# its windows; /dev/null in its place is harmless.
[ -e /dev/stdin ] || exec </dev/null
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
LOGS="$ROOT/build/test-logs"
# Each fuzzer runs 5 s here (the whole run must stay under 20 minutes);
# scripts/run-fuzz-long.sh runs them for 10 million executions each.
FUZZ_SECONDS="${QB_FUZZ_SECONDS:-5}"

"$ROOT/scripts/setup.sh" || { echo "setup failed"; exit 1; }
mkdir -p "$LOGS"

names=(); results=(); times=()
run_step() {
  local name="$1"; shift
  local start=$SECONDS
  echo "== $name"
  if "$@" >"$LOGS/$name.log" 2>&1; then
    results+=("passed")
  else
    results+=("FAILED")
    tail -n 60 "$LOGS/$name.log"
  fi
  names+=("$name"); times+=($((SECONDS - start)))
}

core_tests() {
  "$ROOT/scripts/build.sh" native && (cd "$ROOT/build/native" && ctest --output-on-failure)
}

fuzz_tests() {
  "$ROOT/scripts/build.sh" fuzz || return 1
  local status=0
  for target in "$ROOT"/build/fuzz/*_fuzz; do
    local name; name=$(basename "$target" _fuzz)
    local work="$ROOT/build/fuzz/corpus-$name"
    mkdir -p "$work"
    echo "-- $name for ${FUZZ_SECONDS}s"
    "$target" "$work" "$ROOT/tests/fuzz/corpus/$name" -max_total_time="$FUZZ_SECONDS" \
      -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 -artifact_prefix="$ROOT/build/fuzz/crash-$name-" \
      2>&1 | tail -n 12 || status=1
  done
  return $status
}

# Both Windows builds are compiled on every machine: the 32-bit one is
# what ships (dist/), the 64-bit one runs where the 32-bit loader cannot
# and is kept compiling elsewhere so it never rots. Only the build that
# this machine's Wine runs is tested.
windows_builds() {
  "$ROOT/scripts/build.sh" windows && "$ROOT/scripts/build.sh" windows64
}

# In a subshell: the Wine environment stays out of the other steps.
windows_tests() (
  windows_builds || return 1
  export QB_PREFIX_NAME=test
  source "$ROOT/scripts/wine-env.sh"
  qb_wine_summary
  prepare_test_drives
  ensure_display
  wineserver -p 60
  local status=0
  (cd "$QB_WINDOWS_BUILD" && ctest --output-on-failure) || status=1
  # CTest shows a passing program's output only in its log: the skips with their reasons.
  grep -h -A1 '^\[  SKIPPED \] [A-Za-z]\|: Skipped$' "$QB_WINDOWS_BUILD/Testing/Temporary/LastTest.log" 2>/dev/null || true
  # Tests of what the system's language could change (suites named
  # *AnyLanguage) run again on an English and a Japanese system. Wine
  # takes the locale at its server's start.
  for locale in en_US.UTF-8 ja_JP.UTF-8; do
    echo "-- again on a system whose language is $locale"
    wineserver -k 2>/dev/null; wineserver -w
    # Kept running between the test programs, as in the first pass: a
    # server that ends after each program races the next one's start.
    LANG=$locale LC_ALL=$locale wineserver -p 60
    (cd "$QB_WINDOWS_BUILD" && QB_LOCALE=$locale GTEST_FILTER='*AnyLanguage*' ctest --output-on-failure) || status=1
  done
  wineserver -k 2>/dev/null
  stop_display
  return $status
)

program_file_checks() {
  local version
  version=$(sed -n 's/^project(Quillobrante VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
  /usr/bin/python3 "$ROOT/tests/release/check_program_file.py" \
    "i386:$ROOT/dist/Quillobrante.exe" \
    "zip:$ROOT/build/Quillobrante-$version.zip" \
    "amd64:$ROOT/build/windows64/program/Quillobrante.exe"
}

e2e_tests() {
  python3 "$ROOT/tests/e2e/run_e2e.py"
}

run_step core core_tests
run_step fuzz fuzz_tests
run_step windows windows_tests
run_step exe-file program_file_checks
run_step e2e e2e_tests

echo
echo "== Summary"
(source "$ROOT/scripts/wine-env.sh" && qb_wine_summary | sed 's/^/  /')
status=0
for i in "${!names[@]}"; do
  printf '  %-8s %-7s %4ss   log: build/test-logs/%s.log\n' "${names[$i]}" "${results[$i]}" "${times[$i]}" "${names[$i]}"
  [ "${results[$i]}" = passed ] || status=1
done
# Tests that could not do their work here say so, with their reasons in the logs.
grep -h '^SKIPPED' "$LOGS/e2e.log" 2>/dev/null | sed 's/^/  e2e /'
grep -h '^\[  SKIPPED \] [A-Za-z][^ ]*$' "$LOGS/windows.log" 2>/dev/null | sort -u | sed 's/^\[  SKIPPED \] /  windows SKIPPED /'
# Which program the end-to-end tests proved, said last so nobody misreads it.
read -r bits reason < <(source "$ROOT/scripts/wine-env.sh" && echo "$QB_WINE_BITS $QB_WINE_REASON")
if [ "$bits" = 32 ]; then
  echo "End to end: the shipped 32-bit Quillobrante.exe ran in every end-to-end test."
else
  echo "End to end: the 64-bit build ran; the shipped 32-bit Quillobrante.exe was checked as a file"
  echo "(exe-file) but NOT run on this machine ($reason)."
fi
if [ $status -eq 0 ]; then echo "All tests passed."; else echo "Some tests FAILED."; fi
exit $status
