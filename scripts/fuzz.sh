#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for SECONDS (60 by
# default), one after another: scripts/fuzz.sh [SECONDS] [TARGET...]
# New inputs go to build-fuzz/corpus/<target>, anything found to build-fuzz/findings/<target>;
# a finding worth keeping is copied into fuzz/findings/<target>, where every test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(xml_document project_file legacy_project settings_file comment check_run formula
           tests_file)
fi

cmake -S . -B build-fuzz -DTREVALON_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" >/dev/null

dictionaries_of() {
  case "$1" in
    xml_document | settings_file) echo xml ;;
    project_file) echo xml project ;;
    check_run) echo xml project formula ;;
    comment) echo comment ;;
    formula) echo formula ;;
    tests_file) echo tests ;;
  esac
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  work="build-fuzz/corpus/$target"
  findings="build-fuzz/findings/$target"
  mkdir -p "$work" "$findings"
  dictionary="build-fuzz/$target.dict"
  : >"$dictionary"
  for name in $(dictionaries_of "$target"); do
    cat "fuzz/dict/$name.dict" >>"$dictionary"
  done
  options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len=65536
           -print_final_stats=1 -artifact_prefix="$findings/")
  if [ -s "$dictionary" ]; then
    options+=(-dict="$dictionary")
  fi
  seeds=("fuzz/corpus/$target")
  if [ -d "fuzz/findings/$target" ]; then
    seeds+=("fuzz/findings/$target")
  fi
  echo "== $target: $seconds s"
  status=0
  "build-fuzz/fuzz/${target}_fuzz" "${options[@]}" "$work" "${seeds[@]}" \
    >"build-fuzz/$target.log" 2>&1 || status=$?
  grep -E "^(stat::|SUMMARY|Done|property)|ERROR" "build-fuzz/$target.log" || true
  if [ "$status" -ne 0 ]; then
    echo "$target failed (exit $status); see build-fuzz/$target.log and $findings" >&2
    exit 1
  fi
done
