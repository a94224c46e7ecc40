#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source package as a distribution builds it
# (dpkg-buildpackage, in a copy of the tracked sources, never in the tree
# itself) and checks what comes out: lintian without errors or warnings on the
# source and the binary packages, dpkg's hardening in every program, the debug
# symbols in zentavo-dbgsym and none left in the programs, the same files and
# control fields as the CPack package of the build tree, and then the package
# installed on this system by apt, run from another folder and purged without
# a trace. The installation needs root; without it that part is skipped (77).
#   check_debian_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
BUILD=$(cd "$1" && pwd)
SOURCE=$(cd "$2" && pwd)
WORK=$(mktemp -d)
installed_here=0
cleanup() {
    # A failed check never leaves the package installed.
    if [ "$installed_here" = 1 ]; then dpkg --purge zentavo > /dev/null 2>&1 || true; fi
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "check_debian_package: $*" >&2; exit 1; }
# (A grep -q reads from a variable, never from a pipe: with pipefail, the
# writer cut off by the early exit would turn a match into a failure.)
is_installed() { grep -q ' installed$' <<< "$(dpkg-query -W -f='${Status}' zentavo 2> /dev/null)"; }
is_elf() { [ "$(head -c 4 "$1" | od -An -c | tr -d ' ')" = '177ELF' ]; }

root=0
[ "$(id -u)" -eq 0 ] && root=1
# A zentavo installed before is someone's: the test neither replaces nor
# purges it.
if [ "$root" = 1 ] && is_installed; then
    fail "zentavo is installed on this machine; remove it first (the test installs and purges its own)"
fi

version=$(dpkg-parsechangelog -l "$SOURCE/debian/changelog" -S Version)
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)

# The sources: the files git tracks, as they are in the work tree (edits not
# yet committed included); outside a git checkout the tree without its build
# folders.
TREE=$WORK/zentavo-$version
mkdir "$TREE"
if git -C "$SOURCE" rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    git -C "$SOURCE" ls-files -z | while IFS= read -r -d '' f; do
        if [ -e "$SOURCE/$f" ] || [ -L "$SOURCE/$f" ]; then printf '%s\0' "$f"; fi
    done | tar -C "$SOURCE" --null -T - -cf - | tar -C "$TREE" -xf -
else
    tar -C "$SOURCE" --exclude=./.git --exclude='./build*' --exclude='./obj-*' -cf - . | tar -C "$TREE" -xf -
fi
[ -x "$TREE/debian/rules" ] || fail "the copy of the sources has no debian/rules"

# The source package and the binary ones (-S and -b in one run).
start=$SECONDS
(cd "$TREE" && dpkg-buildpackage -us -uc -j2) > "$WORK/build.log" 2>&1 || {
    tail -n 80 "$WORK/build.log" >&2; fail "dpkg-buildpackage failed"; }
echo "dpkg-buildpackage: $((SECONDS - start)) s"
deb=$WORK/zentavo_${version}_$arch.deb
dbgsym=$WORK/zentavo-dbgsym_${version}_$arch.deb
changes=$WORK/zentavo_${version}_$arch.changes
for f in "$deb" "$dbgsym" "$changes" "$WORK/zentavo_$version.dsc" "$WORK/zentavo_$version.tar.xz"; do
    [ -s "$f" ] || fail "dpkg-buildpackage made no ${f##*/}"
done
# The source package holds no build tree.
if grep -qE '^[^/]+/(build[^/]*|obj-[^/]*)/' <<< "$(tar -tJf "$WORK/zentavo_$version.tar.xz")"; then
    fail "the source package holds a build tree"
fi

# lintian on the .changes: the source package and both binary packages. No
# error, no warning, and none of the hardening it reports only as information.
lintian --fail-on none --display-info "$changes" > "$WORK/lintian.log" 2> "$WORK/lintian.err" || {
    cat "$WORK/lintian.err" >&2; fail "lintian did not run"; }
echo "lintian: $(wc -l < "$WORK/lintian.log") tags"
cat "$WORK/lintian.log"
if grep -qE '^[EW]: |hardening-no-' "$WORK/lintian.log"; then
    fail "lintian reports errors, warnings or missing hardening (above)"
fi

# The programs: every hardening feature of dpkg-buildflags (bookworm's builds
# have no control-flow protection on amd64, which hardening-check asks for by
# default), no debug information and no .comment section left in them, and
# the debug information of each in zentavo-dbgsym under its build id.
UNPACKED=$WORK/unpacked
dpkg-deb -x "$deb" "$UNPACKED"
dbgsym_files=$(dpkg-deb -c "$dbgsym" | awk '{print $6}')
elves=()
while IFS= read -r -d '' f; do
    if is_elf "$f"; then elves+=("$f"); fi
done < <(find "$UNPACKED" -type f -print0)
for expected in usr/bin/zentavo usr/bin/zentavo-batch "usr/lib/$multiarch/zentavo/zentavo-batch-pdf.so"; do
    grep -qxF "$UNPACKED/$expected" <<< "$(printf '%s\n' "${elves[@]}")" || fail "the package lacks the program /$expected"
done
hardening-check --nocfprotection "${elves[@]}" > "$WORK/hardening.log" 2>&1 || {
    cat "$WORK/hardening.log" >&2; fail "hardening-check finds missing hardening"; }
for f in "${elves[@]}"; do
    name=${f#"$UNPACKED"}
    if grep -qE ' \.(comment|debug_[a-z]+) ' <<< "$(readelf -S -W "$f")"; then
        fail "$name keeps a .comment or debug section"
    fi
    # No path of the build tree (in 8-bit or Qt's 16-bit strings): the
    # bytes would depend on the folder the package was built in.
    if grep -qF "$TREE" <<< "$(strings -a "$f"; strings -a -el "$f")"; then
        fail "$name holds a path of the build tree"
    fi
    id=$(readelf -n "$f" | sed -n 's/^ *Build ID: *//p')
    [ -n "$id" ] || fail "$name has no build id"
    grep -qxF "./usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug" <<< "$dbgsym_files" \
        || fail "zentavo-dbgsym lacks the debug information of $name ($id)"
done
[ "$(dpkg-deb -f "$dbgsym" Depends)" = "zentavo (= $version)" ] || fail "zentavo-dbgsym does not depend on this zentavo"

# The CPack package of the build tree: the same files in the same places
# with the same modes, the same bytes in all but the programs (compiled with
# other flags), and the same control fields.
cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/cpack" > "$WORK/cpack.log" 2>&1 || {
    cat "$WORK/cpack.log" >&2; fail "cpack failed"; }
cpack_deb=$(ls "$WORK"/cpack/zentavo_*.deb)
listing() { dpkg-deb -c "$1" | awk '$6 != "./" {print $1, $2, $6}'; }
diff <(listing "$cpack_deb") <(listing "$deb") > "$WORK/listing.diff" || {
    cat "$WORK/listing.diff" >&2; fail "the two packages hold other files (< CPack, > dpkg-buildpackage)"; }
dpkg-deb -x "$cpack_deb" "$WORK/cpack-unpacked"
while IFS= read -r -d '' f; do
    is_elf "$f" && continue
    cmp -s "$f" "$WORK/cpack-unpacked/${f#"$UNPACKED"/}" || fail "/${f#"$UNPACKED"/} differs between the two packages"
done < <(find "$UNPACKED" -type f -print0)
for field in Package Version Architecture Section Priority Maintainer Depends Recommends Description; do
    [ "$(dpkg-deb -f "$cpack_deb" "$field")" = "$(dpkg-deb -f "$deb" "$field")" ] \
        || fail "the two packages' $field fields differ"
done

if [ "$root" = 0 ]; then
    echo "check_debian_package: the installation is skipped: it needs root"
    exit 77
fi

# Installed by apt, as a user installs a downloaded package.
export DEBIAN_FRONTEND=noninteractive
installed_here=1
apt-get install -y --no-install-recommends "$deb" > "$WORK/install.log" 2>&1 || {
    cat "$WORK/install.log" >&2; fail "apt-get install failed"; }
is_installed || fail "zentavo is not installed after apt-get install"
[ "$(dpkg-query -W -f='${Version}' zentavo)" = "$version" ] || fail "another version of zentavo is installed"
dpkg --verify zentavo || fail "the installed files differ from the package's"
grep -qx /usr/bin/zentavo-batch <<< "$(dpkg -L zentavo)" || fail "dpkg -L zentavo lacks /usr/bin/zentavo-batch"

# Run from a folder that holds nothing of Zentavo, found on the PATH.
mkdir "$WORK/elsewhere"
cd "$WORK/elsewhere"
[ "$(command -v zentavo-batch)" = /usr/bin/zentavo-batch ] || fail "zentavo-batch is not /usr/bin/zentavo-batch"
[ "$(zentavo-batch --version | sed -n 1p)" = "zentavo-batch $version" ] || fail "zentavo-batch --version: $(zentavo-batch --version)"
[ "$(zentavo --version | sed -n 1p)" = "zentavo $version" ] || fail "zentavo --version: $(zentavo --version)"
examples=/usr/share/doc/zentavo/examples
zentavo-batch "$examples/study.csv" > results.csv || fail "the installed zentavo-batch cannot run the study"
cmp -s results.csv "$SOURCE/examples/study-results.csv" || fail "the installed zentavo-batch gives other results"
QT_QPA_PLATFORM=offscreen zentavo-batch --labels labels.pdf --report report.pdf "$examples/study-2018.csv" \
    > results-2018.csv 2> pdf.log || { cat pdf.log >&2; fail "the installed zentavo-batch cannot write the PDFs"; }
cmp -s results-2018.csv "$SOURCE/examples/study-2018-results.csv" || fail "the installed zentavo-batch gives other IEEE 1584-2018 results"
grep -qE '^Pages: *[1-9]' <<< "$(pdfinfo labels.pdf)" || fail "the labels PDF has no page"
grep -qE '^Pages: *[1-9]' <<< "$(pdfinfo report.pdf)" || fail "the report PDF has no page"
[ "$(man -w zentavo)" = /usr/share/man/man1/zentavo.1.gz ] || fail "man does not find zentavo(1)"

# The system's file-type tables: Zentavo opens studies (text/csv) and no other
# text, and its help document is plain text.
desktop=/usr/share/applications/org.zentavo.Zentavo.desktop
[ "$(sed -n 's/^MimeType=//p' "$desktop")" = "text/csv;" ] || fail "the installed desktop entry claims more than text/csv"
mimeinfo=$(grep -F org.zentavo.Zentavo.desktop /usr/share/applications/mimeinfo.cache || true)
[ "$(cut -d= -f1 <<< "$mimeinfo")" = text/csv ] || fail "mimeinfo.cache gives Zentavo: $mimeinfo"
mailcap=$(grep -E '(^|; *)zentavo ' /etc/mailcap || true)
[ "$(cut -d';' -f1 <<< "$mailcap")" = text/csv ] || fail "/etc/mailcap gives Zentavo: $mailcap"
grep -qx '100:text/plain:zentavo.hlp' /usr/share/mime/globs2 || fail "the mime database lacks the help document"

# Purged, it leaves nothing: no record in dpkg, none of its files and
# folders, no entry in the file-type tables.
cd "$WORK"
apt-get purge -y zentavo > "$WORK/purge.log" 2>&1 || { cat "$WORK/purge.log" >&2; fail "apt-get purge failed"; }
installed_here=0
if dpkg -L zentavo > /dev/null 2>&1; then fail "dpkg -L still lists zentavo after the purge"; fi
if dpkg-query -W zentavo > /dev/null 2>&1; then fail "dpkg still knows zentavo after the purge"; fi
left=$(listing "$deb" | awk '$1 !~ /^d/ {print substr($3, 2)}' | while IFS= read -r f; do
    if [ -e "$f" ] || [ -L "$f" ]; then echo "$f"; fi; done)
[ -z "$left" ] || fail "the purge left: $left"
for d in /usr/share/zentavo "/usr/lib/$multiarch/zentavo" /usr/share/doc/zentavo; do
    [ ! -e "$d" ] || fail "the purge left $d"
done
if compgen -G '/var/lib/dpkg/info/zentavo.*' > /dev/null; then fail "the purge left dpkg's records of zentavo"; fi
if grep -qi zentavo /usr/share/applications/mimeinfo.cache /etc/mailcap /usr/share/mime/globs2; then
    fail "the purge left Zentavo in the file-type tables"
fi
echo "check_debian_package: built, checked, installed and purged in $SECONDS s"
