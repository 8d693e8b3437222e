#!/bin/bash
# Fails, naming the files, when C++ sources are not formatted as
# .clang-format says. Format them with: clang-format -i FILE...
set -uo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
    echo "check-format: clang-format is missing (scripts/install-deps.sh installs it)"
    exit 1
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t files < <(find src tests tools bench fuzz -name '*.cpp' -o -name '*.h')
fi
unformatted=()
for file in "${files[@]}"; do
    [ -f "$file" ] || continue
    clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "check-format: not formatted (clang-format -i FILE):"
    printf '  %s\n' "${unformatted[@]}"
    exit 1
fi
echo "check-format: ${#files[@]} files formatted"
