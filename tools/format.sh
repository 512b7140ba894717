#!/usr/bin/env bash
# Formats every tracked C++ file with clang-format and the project's .clang-format.
#   tools/format.sh           rewrites the files that drift
#   tools/format.sh --check   changes nothing; names the drifting files and fails when there are any
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
    # An unpacked copy without git: the same folders.
    mapfile -t files < <(find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | sort)
fi
# One clang-format run over all files; each drifting line is reported as "FILE:LINE:COL: error: ...".
status=0
report="$(clang-format --dry-run --Werror "${files[@]}" 2>&1)" || status=$?
mapfile -t drifting < <(printf '%s\n' "$report" \
    | sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)
if [ "$status" -ne 0 ] && [ ${#drifting[@]} -eq 0 ]; then
    printf '%s\n' "$report" >&2  # clang-format failed for another reason
    exit 1
fi
if [ "${1:-}" = "--check" ]; then
    [ ${#drifting[@]} -eq 0 ] && exit 0
    echo "These files are not formatted as .clang-format says (./run --format formats them):" >&2
    printf '  %s\n' "${drifting[@]}" >&2
    exit 1
fi
[ ${#drifting[@]} -eq 0 ] || clang-format -i "${drifting[@]}"
echo "Formatted ${#drifting[@]} of ${#files[@]} C++ files."
