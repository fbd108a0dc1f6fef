#!/usr/bin/env bash
# Checks that every tracked C++ file is formatted as .clang-format says.
# Prints the files that differ and fails; `clang-format -i FILE...` fixes them.
# $CLANG_FORMAT names another clang-format binary.
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=${CLANG_FORMAT:-clang-format}
if ! command -v "$clang_format" >/dev/null; then
  echo "check-format: $clang_format not found (scripts/deps.sh installs it)" >&2
  exit 2
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find src tests bench tools -name '*.cpp' -o -name '*.h' | sort)
fi
# One run over all files; each difference is reported as "FILE:LINE:COL: error: ...".
status=0
output=$("$clang_format" --dry-run --Werror "${files[@]}" 2>&1) || status=$?
mapfile -t differ < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: .*/\1/p' <<<"$output" | sort -u)
if [ "$status" -ne 0 ] && [ ${#differ[@]} -eq 0 ]; then
  echo "$output" >&2
  echo "check-format: $clang_format failed" >&2
  exit 1
fi
if [ ${#differ[@]} -gt 0 ]; then
  echo "check-format: ${#differ[@]} of ${#files[@]} files differ from .clang-format:" >&2
  printf '  %s\n' "${differ[@]}" >&2
  echo "check-format: fix with: clang-format -i ${differ[*]}" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
