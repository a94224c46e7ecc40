#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file the repository tracks carries the licence identifier on
# its first line (on its second after a "#!" line); scripts/spdx-headers.sh
# adds it where it is missing.
set -euo pipefail
SOURCE=$1
cd "$SOURCE"
if [ -e .git ]; then
    files=$(git ls-files -- '*.cpp' '*.h' 'CMakeLists.txt' '*/CMakeLists.txt' '*.cmake' '*.sh' \
            '*.bash-completion' Makefile .ci/run)
else
    files=$(find . \( -path ./.git -o -path './build*' \) -prune -o -type f \( -name '*.cpp' \
            -o -name '*.h' -o -name CMakeLists.txt -o -name '*.cmake' -o -name '*.sh' \
            -o -name '*.bash-completion' -o -name Makefile \) -print)
fi
[ -n "$files" ] || { echo "check_spdx: no source files found in $SOURCE" >&2; exit 1; }
lacking=0
while IFS= read -r f; do
    head -n 2 "$f" | grep -qE '^(//|#) SPDX-License-Identifier: GPL-3\.0-or-later$' && continue
    echo "check_spdx: $f lacks the line 'SPDX-License-Identifier: GPL-3.0-or-later'" >&2
    lacking=$((lacking + 1))
done <<< "$files"
[ "$lacking" -eq 0 ] || { echo "check_spdx: $lacking files; run scripts/spdx-headers.sh" >&2; exit 1; }
echo "$(wc -l <<< "$files") files carry the licence identifier"
