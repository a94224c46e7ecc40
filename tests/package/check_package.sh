#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and checks what a
# safety engineer's machine would get: the file list, the control fields, valid
# desktop integration, and a working study runner.
set -euo pipefail
BUILD=$1
SOURCE=$2
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

dpkg-deb -x "$deb" "$WORK/root"
for f in usr/bin/zentavo usr/bin/zentavo-batch usr/share/zentavo/zentavo.hlp \
         usr/share/applications/org.zentavo.Zentavo.desktop \
         usr/share/metainfo/org.zentavo.Zentavo.metainfo.xml \
         usr/share/mime/packages/org.zentavo.Zentavo.xml \
         usr/share/icons/hicolor/scalable/apps/org.zentavo.Zentavo.svg \
         usr/share/icons/hicolor/48x48/apps/org.zentavo.Zentavo.png; do
    [ -e "$WORK/root/$f" ] || fail "the package lacks /$f"
done
# The interface in Spanish and French.
for l in es fr; do
    [ -s "$WORK/root/usr/share/zentavo/translations/zentavo_$l.qm" ] || fail "the package lacks the $l translation"
done
# Nothing of the tests or benchmarks goes into the package.
if dpkg-deb -c "$deb" | grep -qE 'bench|tests|gtest'; then fail "the package holds test files"; fi

desktop-file-validate "$WORK/root/usr/share/applications/org.zentavo.Zentavo.desktop" \
    || fail "desktop entry is not valid"
appstreamcli validate --no-net "$WORK/root/usr/share/metainfo/org.zentavo.Zentavo.metainfo.xml" \
    > "$WORK/appstream.log" 2>&1 || { cat "$WORK/appstream.log" >&2; fail "metainfo is not valid"; }

"$WORK/root/usr/bin/zentavo-batch" "$SOURCE/examples/study.csv" > "$WORK/results.csv"
cmp -s "$WORK/results.csv" "$SOURCE/examples/study-results.csv" \
    || fail "the installed zentavo-batch gives other results than the build"
# The installed study runner finds its PDF module and writes the labels and report.
QT_QPA_PLATFORM=offscreen "$WORK/root/usr/bin/zentavo-batch" --labels "$WORK/labels.pdf" \
    --report "$WORK/report.pdf" "$SOURCE/examples/study.csv" > /dev/null 2> "$WORK/pdf.log" \
    || { cat "$WORK/pdf.log" >&2; fail "the installed zentavo-batch cannot write the study PDFs"; }
pdfinfo "$WORK/labels.pdf" | grep -q "^Pages: *11$" || fail "the installed labels PDF lacks pages"
pdfinfo "$WORK/report.pdf" > /dev/null || fail "the installed report PDF is not readable"
"$WORK/root/usr/bin/zentavo-batch" "$SOURCE/examples/study-2018.csv" > "$WORK/results-2018.csv"
cmp -s "$WORK/results-2018.csv" "$SOURCE/examples/study-2018-results.csv" \
    || fail "the installed zentavo-batch gives other IEEE 1584-2018 results than the build"
echo "1 passed, 0 failed"
