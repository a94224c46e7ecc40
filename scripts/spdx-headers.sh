#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence identifier at the top of every source file of Zentavo:
#   // SPDX-License-Identifier: GPL-3.0-or-later   C++ sources and headers
#   # SPDX-License-Identifier: GPL-3.0-or-later    CMake files, shell scripts,
#                                                   the bash completion and
#                                                   the Makefile
# A shell script keeps its "#!" line first; the identifier follows it.
# A file that already carries an identifier is left as it is, so the script
# may be run any number of times.
#   scripts/spdx-headers.sh [ROOT]          adds the missing identifiers
#   scripts/spdx-headers.sh --check [ROOT]  lists the files that lack one
#                                           and exits 1 if there are any
set -euo pipefail

check=false
if [ "${1:-}" = --check ]; then check=true; shift; fi
root=${1:-$(dirname "$0")/..}
cd "$root"

readonly ID="SPDX-License-Identifier: GPL-3.0-or-later"

# The files to carry the identifier, with the comment mark of each. Build
# folders and the version control's own files are not sources.
source_files() {
    find . \( -path ./.git -o -path './build' -o -path './build-*' \) -prune -o -type f \
        \( -name '*.cpp' -o -name '*.h' -o -name CMakeLists.txt -o -name '*.cmake' \
           -o -name '*.sh' -o -name '*.bash-completion' -o -name Makefile -o -path ./.ci/run \) -print | LC_ALL=C sort
}
comment_of() {
    case $1 in
        *.cpp | *.h) echo "//" ;;
        *) echo "#" ;;
    esac
}
# True when the identifier is on the file's first line, or on its second
# after a "#!" line.
has_id() {
    local first second
    { IFS= read -r first || true; IFS= read -r second || true; } < "$1"
    [[ $first == *"SPDX-License-Identifier:"* ]] ||
        { [[ $first == '#!'* ]] && [[ $second == *"SPDX-License-Identifier:"* ]]; }
}

missing=0
while IFS= read -r f; do
    has_id "$f" && continue
    if $check; then
        echo "${f#./}"
        missing=$((missing + 1))
        continue
    fi
    line="$(comment_of "$f") $ID"
    tmp="$f.spdx-tmp"
    if IFS= read -r first < "$f" && [[ $first == '#!'* ]]; then
        { printf '%s\n%s\n' "$first" "$line"; tail -n +2 "$f"; } > "$tmp"
    else
        { printf '%s\n' "$line"; cat "$f"; } > "$tmp"
    fi
    chmod --reference="$f" "$tmp"
    mv "$tmp" "$f"
done < <(source_files)

if $check && [ "$missing" -gt 0 ]; then
    echo "$missing source files lack the line '$ID'" >&2
    exit 1
fi
exit 0
