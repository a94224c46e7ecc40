#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package and checks what a safety engineer's machine would
# get: control fields, lintian without errors or warnings, the hardening,
# valid desktop integration, manual pages without warnings that name every
# option and column, the bash completion, and the package installed into a
# scratch root, run from another folder and purged without a trace.
set -euo pipefail
# Absolute, since the installed programs are run from another folder.
BUILD=$(cd "$1" && pwd)
SOURCE=$(cd "$2" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "check_package: $*" >&2; exit 1; }

cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/out" > "$WORK/cpack.log" 2>&1 || {
    cat "$WORK/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$WORK"/out/zentavo_*.deb)

control=$(dpkg-deb -f "$deb")
for field in "Package: zentavo" "Section: science" "Architecture: amd64"; do
    grep -q "^$field" <<< "$control" || fail "control lacks '$field'"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6printsupport6 libjpeg62-turbo libc6; do
    grep -q "$lib" <<< "$depends" || fail "Depends lacks $lib: $depends"
done
# The summary and the description say what it is: both editions of the
# guide and the study window.
description=$(dpkg-deb -f "$deb" Description)
for words in "IEEE 1584-2002" "IEEE 1584-2018" "study window"; do
    grep -qF "$words" <<< "$description" || fail "the package description does not name $words"
done
grep -qF "IEEE 1584-2018" <<< "$(head -n 1 <<< "$description")" || fail "the summary lacks IEEE 1584-2018"
# The changelog's newest entry is the packaged version.
version=$(dpkg-deb -f "$deb" Version)
[ "$(dpkg-parsechangelog -l "$SOURCE/debian/changelog" -S Version)" = "$version" ] \
    || fail "debian/changelog has no entry for version $version"
# Nothing of the tests or benchmarks goes into the package.
if grep -qE 'bench|tests|gtest' <<< "$(dpkg-deb -c "$deb")"; then fail "the package holds test files"; fi

# lintian: no error, no warning, and none of the hardening it reports only as
# information (bindnow, fortified functions) — in a build made with the
# hardening; the sanitizer and fuzz builds are made without it on purpose.
refused='^[EW]: '
if [ "$(sed -n 's/^ZENTAVO_HARDENING:BOOL=//p' "$BUILD/CMakeCache.txt")" != OFF ]; then
    refused="$refused|hardening-no-"
fi
lintian --fail-on none --display-info "$deb" > "$WORK/lintian.log" 2> "$WORK/lintian.err" || {
    cat "$WORK/lintian.err" >&2; fail "lintian did not run"; }
echo "lintian: $(wc -l < "$WORK/lintian.log") tags"
cat "$WORK/lintian.log"
if grep -qE "$refused" "$WORK/lintian.log"; then
    fail "lintian reports errors, warnings or missing hardening (above)"
fi

# The package installed by dpkg into an empty root of its own.
ROOT=$WORK/root
mkdir -p "$ROOT/var/lib/dpkg/info" "$ROOT/var/lib/dpkg/updates"
touch "$ROOT/var/lib/dpkg/status" "$ROOT/var/lib/dpkg/available"
DPKG=(dpkg --root="$ROOT" --force-not-root --force-script-chrootless --force-depends
      --log=/dev/null)
"${DPKG[@]}" -i "$deb" > "$WORK/dpkg.log" 2>&1 || { cat "$WORK/dpkg.log" >&2; fail "dpkg -i failed"; }
for f in usr/bin/zentavo usr/bin/zentavo-batch usr/share/zentavo/zentavo.hlp \
         usr/share/applications/org.zentavo.Zentavo.desktop \
         usr/share/metainfo/org.zentavo.Zentavo.metainfo.xml \
         usr/share/mime/packages/org.zentavo.Zentavo.xml \
         usr/share/icons/hicolor/scalable/apps/org.zentavo.Zentavo.svg \
         usr/share/icons/hicolor/48x48/apps/org.zentavo.Zentavo.png \
         usr/share/doc/zentavo/copyright usr/share/doc/zentavo/changelog.gz \
         usr/share/doc/zentavo/README.md.gz \
         usr/share/doc/zentavo/examples/plant-study.csv \
         usr/share/man/man1/zentavo.1.gz usr/share/man/man1/zentavo-batch.1.gz \
         usr/share/bash-completion/completions/zentavo-batch; do
    [ -e "$ROOT/$f" ] || fail "the package lacks /$f"
done
# The README's pages: every page of docs/ is in the package, and every link
# of the README and its pages (the pictures aside, which stay out) names a
# file of the package, a page x.md installed as x.md.gz.
doc=$ROOT/usr/share/doc/zentavo
for page in "$SOURCE"/docs/*.md; do
    [ -s "$doc/docs/${page##*/}.gz" ] || fail "the package lacks /usr/share/doc/zentavo/docs/${page##*/}.gz"
done
for page in "$doc"/*.md.gz "$doc"/docs/*.md.gz; do
    links=$(zcat "$page" | { grep -oE '\]\([^) ]+\)' || true; } | sed -E 's/^\]\(([^)#]*).*/\1/')
    while IFS= read -r link; do
        case $link in '' | *.png | *://*) continue ;; esac
        [ -f "${page%/*}/$link.gz" ] || [ -f "${page%/*}/$link" ] \
            || fail "${page#"$ROOT"}: its link $link names no file of the package"
    done <<< "$links"
done
# The interface in Spanish and French.
for l in es fr; do
    [ -s "$ROOT/usr/share/zentavo/translations/zentavo_$l.qm" ] || fail "the package lacks the $l translation"
done
desktop-file-validate "$ROOT/usr/share/applications/org.zentavo.Zentavo.desktop" \
    || fail "desktop entry is not valid"
# The desktop entry claims the studies' type and no other: an entry for
# text/plain would make Zentavo the program of every text file.
mime_types=$(sed -n 's/^MimeType=//p' "$ROOT/usr/share/applications/org.zentavo.Zentavo.desktop")
[ "$mime_types" = "text/csv;" ] || fail "the desktop entry claims '$mime_types', not text/csv alone"
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/org.zentavo.Zentavo.metainfo.xml" \
    > "$WORK/appstream.log" 2>&1 || { cat "$WORK/appstream.log" >&2; fail "metainfo is not valid"; }
grep -q '<project_license>GPL-3.0-or-later</project_license>' \
    "$ROOT/usr/share/metainfo/org.zentavo.Zentavo.metainfo.xml" || fail "metainfo names another licence"

# The installed programs, run from a folder that holds nothing of Zentavo.
mkdir "$WORK/elsewhere"
cd "$WORK/elsewhere"
examples=$ROOT/usr/share/doc/zentavo/examples
"$ROOT/usr/bin/zentavo" --version | grep -qx "zentavo [0-9.]*" || fail "the installed zentavo does not start"
# Its --help says what it is: both editions of the guide and the study window.
zentavo_help=$(QT_QPA_PLATFORM=offscreen "$ROOT/usr/bin/zentavo" --help)
for words in "IEEE 1584-2002" "IEEE 1584-2018" "New study"; do
    grep -qF "$words" <<< "$zentavo_help" || fail "zentavo --help does not name $words"
done
"$ROOT/usr/bin/zentavo-batch" "$examples/study.csv" > "$WORK/results.csv"
cmp -s "$WORK/results.csv" "$SOURCE/examples/study-results.csv" \
    || fail "the installed zentavo-batch gives other results than the build"
"$ROOT/usr/bin/zentavo-batch" "$examples/study-2018.csv" > "$WORK/results-2018.csv"
cmp -s "$WORK/results-2018.csv" "$SOURCE/examples/study-2018-results.csv" \
    || fail "the installed zentavo-batch gives other IEEE 1584-2018 results than the build"
"$ROOT/usr/bin/zentavo-batch" "$examples/plant-network.csv" > "$WORK/results-network.csv"
cmp -s "$WORK/results-network.csv" "$SOURCE/examples/plant-network-results.csv" \
    || fail "the installed zentavo-batch gives other network results than the build"
# The installed study runner finds its PDF module and writes the labels and report.
QT_QPA_PLATFORM=offscreen "$ROOT/usr/bin/zentavo-batch" --labels labels.pdf --report report.pdf \
    "$examples/study.csv" > /dev/null 2> "$WORK/pdf.log" \
    || { cat "$WORK/pdf.log" >&2; fail "the installed zentavo-batch cannot write the study PDFs"; }
pdfinfo labels.pdf | grep -q "^Pages: *11$" || fail "the installed labels PDF lacks pages"
pdfinfo report.pdf > /dev/null || fail "the installed report PDF is not readable"

# Manual pages: no warning from man, as lintian runs it; every option of
# --help and every column the study runner reads and writes is described.
help=$("$ROOT/usr/bin/zentavo-batch" --help)
options=$(grep -oE -- '--[a-z][a-z-]*' <<< "$help" | LC_ALL=C sort -u)
columns=$(head -n 1 -q "$SOURCE/examples/study-2018-results.csv" "$WORK/results.csv" \
          "$WORK/results-network.csv" | tr -d '\r' \
          | tr ',' '\n' | LC_ALL=C sort -u)
for page in zentavo zentavo-batch; do
    file=$ROOT/usr/share/man/man1/$page.1.gz
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 > /dev/null)
    [ -z "$warnings" ] || fail "man --warnings on $page(1): $warnings"
done
text=$(LC_ALL=C.UTF-8 MANWIDTH=1000 man -l "$ROOT/usr/share/man/man1/zentavo-batch.1.gz" 2> /dev/null)
for word in $options $columns ieee1584-2018; do
    grep -qF -- "$word" <<< "$text" || fail "zentavo-batch(1) does not name $word"
done

# Bash completion, loaded from its installed place as bash-completion loads
# it: what it offers for a command line ("zentavo-batch WORD... CURRENT").
offered() {
    XDG_DATA_DIRS=$ROOT/usr/share bash -c '
        source /usr/share/bash-completion/bash_completion
        __load_completion zentavo-batch || exit 1
        COMP_WORDS=(zentavo-batch "$@"); COMP_CWORD=$#
        COMP_LINE="${COMP_WORDS[*]}"; COMP_POINT=${#COMP_LINE}
        $(complete -p zentavo-batch | sed -E "s/.* -F ([^ ]+) .*/\1/") \
            zentavo-batch "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
        printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd " "' _ "$@" 2> /dev/null
}
# The words before the one completed, "|", the word completed.
# clang-format off
completions=(
    "--energy-unit|"                         "J/cm2 cal/cm2"
    "--pressure-unit|"                       "Atmosphere N/m2 kpa lb/ft2"
    "|--report-paper="                       "a4 letter locale"
    "--label-rows|incident-energy,pp"        "incident-energy,ppe-level"
    "--label-rows|n"                         "none"
    "--labels x.pdf --label-colour|b"        "black-and-white"
    "--delimiter|"                           ", \\; tab"
    "--line-ends|"                           "crlf lf"
    "|--"                                    "$(paste -sd ' ' <<< "$options")"
)
# clang-format on
for ((i = 0; i < ${#completions[@]}; i += 2)); do
    before=${completions[i]%|*}
    current=${completions[i]##*|}
    # shellcheck disable=SC2086 # the words before are split on blanks
    got=$(offered $before "$current")
    [ "$got" = "${completions[i + 1]}" ] || fail "bash completion of" \
        "'zentavo-batch $before $current' offers '$got', not '${completions[i + 1]}'"
done

# Purged, the package leaves nothing behind but dpkg's own records.
cd "$WORK"
"${DPKG[@]}" --purge zentavo > "$WORK/purge.log" 2>&1 || { cat "$WORK/purge.log" >&2; fail "purge failed"; }
left=$(cd "$ROOT" && find . -mindepth 1 -not -path './var' -not -path './var/lib' -not -path './var/lib/dpkg*')
[ -z "$left" ] || fail "purge left: $left"
echo "1 passed, 0 failed"
