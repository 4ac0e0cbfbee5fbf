#!/usr/bin/env bash
# Builds the fuzz tree (build/fuzz: clang, libFuzzer, AddressSanitizer and
# UBSan) and runs every fuzzer, build/fuzz/bin/fuzz_<name>, for a fixed number
# of inputs, starting from a copy of its seeds in tests/fuzz/corpus/<name>, so
# the committed corpus never changes. Fails on any crash, hang, leak or
# sanitizer report; what a fuzzer found is kept under build/fuzz/artifacts
# and its log under build/fuzz/logs.
#
#   CORVANE_FUZZ_RUNS   inputs per fuzzer (default 50000)
#   CORVANE_FUZZ_ONLY   run only the fuzzers whose whole names match this
#                       extended regular expression ("nvme|report_json")
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${CORVANE_FUZZ_RUNS:-50000}
only=${CORVANE_FUZZ_ONLY:-}

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCORVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Two jobs: the machine's cores are shared.
cmake --build build/fuzz -j 2

artifacts=build/fuzz/artifacts
logs=build/fuzz/logs
mkdir -p "$artifacts" "$logs"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=()
ran=0
for exe in build/fuzz/bin/fuzz_*; do
  name=${exe##*/fuzz_}
  [ -z "$only" ] || [[ $name =~ ^($only)$ ]] || continue
  ran=$((ran + 1))
  seeds=tests/fuzz/corpus/$name
  if [ ! -d "$seeds" ]; then
    echo "$name: FAILED, no seeds in $seeds"
    failed+=("$name")
    continue
  fi
  mkdir "$work/$name"
  cp "$seeds"/* "$work/$name"/
  log=$logs/$name.log
  # A fixed seed makes a run repeatable; -timeout turns a hang into a failure.
  status=ok
  "$exe" -runs="$runs" -seed=1 -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$artifacts/$name-" "$work/$name" >"$log" 2>&1 || status=FAILED
  # Reports that did not end the run still fail it.
  if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then status=FAILED; fi
  inputs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "$name: ${inputs:-?} inputs, $(ls "$work/$name" | wc -l) in corpus ($(ls "$seeds" | wc -l) seeds), $status"
  if [ "$status" != ok ]; then
    failed+=("$name")
    grep -E -m5 'ERROR|runtime error|SUMMARY|Test unit written' "$log" | sed 's/^/    /' || true
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing failed: ${failed[*]} (logs in $logs, inputs in $artifacts)"
  exit 1
fi
# A pattern that matches nothing has tested nothing: that is no pass.
if [ "$ran" -eq 0 ]; then
  echo "fuzzing: no fuzzer's name matches '$only'"
  exit 1
fi
echo "fuzzing: each of the $ran fuzzers ran $runs inputs without a finding"
