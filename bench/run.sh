#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the benchmarks: engine paths, a 100 000-row study in memory, and the
# batch program end to end against a plain awk pass over the same file.
set -euo pipefail
BUILD=${1:-build}
ROWS=${ROWS:-100000}
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

"$BUILD/bench/engine_bench"
"$BUILD/bench/protection_bench"   # protective devices: a study row's two evaluations
# Fault currents of generated radial and meshed networks of 1 000 to 10 000 buses.
"$BUILD/bench/network_bench"
# A network study of 1 000 to 10 000 buses through the study pipeline
# (and 100 000 meshed buses in three scenarios, which takes long).
"$BUILD/bench/network_study_bench"
# The short-circuit currents alone of 1 000 000 radial buses (typed
# durations, the arcs in one step): the batch program's wall time and peak
# memory (needs GNU time). NETWORK_BUSES=0 leaves it out.
NETWORK_BUSES=${NETWORK_BUSES:-1000000}
if (( NETWORK_BUSES > 0 )) && [[ -x /usr/bin/time ]]; then
    "$BUILD/bench/make_network_study" "$TMP/network.csv" "$NETWORK_BUSES"
    /usr/bin/time -f '%e %M' "$BUILD/batch/zentavo-batch" --quiet --arc-steps off \
        -o "$TMP/network-out.csv" "$TMP/network.csv" 2> "$TMP/time.txt"
    read -r secs peak_kb < <(tail -1 "$TMP/time.txt")
    echo "zentavo-batch --arc-steps off, $NETWORK_BUSES radial buses: ${secs} s wall, peak memory $(( peak_kb / 1024 )) MiB"
    rm -f "$TMP/network.csv" "$TMP/network-out.csv"
fi
# The one-line diagram: read, laid out and painted, the plant and 1 000 to 10 000 buses.
QT_QPA_PLATFORM=offscreen "$BUILD/bench/one_line_bench"
"$BUILD/bench/make_study" "$TMP/study.csv" "$ROWS"
"$BUILD/bench/study_bench" "$TMP/study.csv"
"$BUILD/bench/editor_open" 20   # a 20 MB report opened in the editor
# The editor on 64 MiB files of one line, of empty lines and of 100-byte lines.
for shape in line empty short; do "$BUILD/bench/editor_open" "$shape" 64; done

best() {  # best wall time in ms of 5 runs of the command
    local best=999999999 t0 t1 ms
    for _ in 1 2 3 4 5; do
        t0=$(date +%s%N)
        "$@" > /dev/null
        t1=$(date +%s%N)
        ms=$(( (t1 - t0) / 1000000 ))
        (( ms < best )) && best=$ms
    done
    echo "$best"
}
batch_ms=$(best "$BUILD/batch/zentavo-batch" "$TMP/study.csv")
awk_ms=$(best awk '{ print $0 ",x" }' "$TMP/study.csv")
echo "zentavo-batch, $ROWS rows end to end: ${batch_ms} ms ($(( ROWS * 1000 / (batch_ms > 0 ? batch_ms : 1) )) rows/s)"
echo "awk printing every line with a suffix: ${awk_ms} ms"
echo "ratio batch / awk: $(awk -v a="$batch_ms" -v b="$awk_ms" 'BEGIN { printf "%.2f", a / (b > 0 ? b : 1) }')"

# IEEE 1584-2018 rows alone: the batch program through a pipe against awk
# printing every line of the same file (ROWS_2018, default 1 000 000).
ROWS_2018=${ROWS_2018:-1000000}
"$BUILD/bench/make_study" "$TMP/study-2018.csv" "$ROWS_2018" 2018
"$BUILD/bench/study_bench" "$TMP/study-2018.csv"
batch18_ms=$(best sh -c "cat '$TMP/study-2018.csv' | '$BUILD/batch/zentavo-batch'")
awk18_ms=$(best awk -F, '{print $0}' "$TMP/study-2018.csv")
echo "zentavo-batch, $ROWS_2018 IEEE 1584-2018 rows through a pipe: ${batch18_ms} ms ($(( ROWS_2018 * 1000 / (batch18_ms > 0 ? batch18_ms : 1) )) rows/s)"
echo "awk -F, '{print \$0}' on the same file: ${awk18_ms} ms"
echo "ratio batch / awk: $(awk -v a="$batch18_ms" -v b="$awk18_ms" 'BEGIN { printf "%.2f", a / (b > 0 ? b : 1) }')"

# The batch against the I/O floor: 1 000 000 rows of each edition
# (BATCH_ROWS), `zentavo-batch --quiet -o FILE` against a bare
# `mawk -F, '{n+=NF}'` pass over the same file, run in turns, three times
# each: the medians of the wall time and of the CPU time (user + system),
# and their ratios (needs GNU time; mawk, else awk).
BATCH_ROWS=${BATCH_ROWS:-1000000}
AWK=$(command -v mawk || command -v awk)
if [[ -x /usr/bin/time ]]; then
    wall_cpu() {  # "wall cpu" in seconds of one run of the command
        /usr/bin/time -f '%e %U %S' "$@" > /dev/null 2> "$TMP/time.txt"
        awk 'END { printf "%.2f %.2f\n", $1, $2 + $3 }' "$TMP/time.txt"
    }
    median3() { sort -n | sed -n 2p; }
    for edition in 2002 2018; do
        "$BUILD/bench/make_study" "$TMP/batch-$edition.csv" "$BATCH_ROWS" "$edition"
        : > "$TMP/awk.txt"; : > "$TMP/batch.txt"
        for _ in 1 2 3; do
            wall_cpu "$AWK" -F, '{ n += NF } END { print n }' "$TMP/batch-$edition.csv" >> "$TMP/awk.txt"
            wall_cpu "$BUILD/batch/zentavo-batch" --quiet -o "$TMP/out.csv" "$TMP/batch-$edition.csv" >> "$TMP/batch.txt"
        done
        aw=$(cut -d' ' -f1 "$TMP/awk.txt" | median3); ac=$(cut -d' ' -f2 "$TMP/awk.txt" | median3)
        bw=$(cut -d' ' -f1 "$TMP/batch.txt" | median3); bc=$(cut -d' ' -f2 "$TMP/batch.txt" | median3)
        echo "zentavo-batch -o, $BATCH_ROWS rows of $edition: ${bw} s wall, ${bc} s CPU; $(basename "$AWK") -F, '{n+=NF}': ${aw} s wall, ${ac} s CPU" \
             "(medians of 3); ratio wall $(awk -v a="$bw" -v b="$aw" 'BEGIN { printf "%.1f", a / (b > 0 ? b : 0.01) }')," \
             "CPU $(awk -v a="$bc" -v b="$ac" 'BEGIN { printf "%.1f", a / (b > 0 ? b : 0.01) }')"
        rm -f "$TMP/batch-$edition.csv" "$TMP/out.csv"
    done
fi

# A large study through a pipe (about 1 GB at the default 16 000 000 rows):
# peak memory of the batch program, which reads and writes as a stream, and
# its rows per second (needs GNU time). PIPE_ROWS=0 leaves it out.
PIPE_ROWS=${PIPE_ROWS:-16000000}
if (( PIPE_ROWS > 0 )) && [[ -x /usr/bin/time ]]; then
    "$BUILD/bench/make_study" /dev/stdout "$PIPE_ROWS" \
        | /usr/bin/time -v "$BUILD/batch/zentavo-batch" 2> "$TMP/time.txt" > /dev/null
    peak_kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$TMP/time.txt")
    wall=$(awk -F': ' '/Elapsed \(wall clock\)/ { print $2 }' "$TMP/time.txt")
    secs=$(awk -v w="$wall" 'BEGIN { n = split(w, p, ":"); s = 0; for (i = 1; i <= n; ++i) s = s * 60 + p[i]; print s }')
    echo "zentavo-batch, $PIPE_ROWS rows through a pipe: ${wall} wall, peak memory $(( peak_kb / 1024 )) MiB, $(awk -v r="$PIPE_ROWS" -v s="$secs" 'BEGIN { printf "%.0f", r / s }') rows/s"
fi

# The desktop program under the offscreen platform.
export QT_QPA_PLATFORM=offscreen
"$BUILD/bench/ui_bench"
# Start-up to the first window shown: median of 31 runs of each, interleaved
# so both see the same machine.
program=() empty=() word=()
for _ in $(seq 31); do
    program+=($(ZENTAVO_LAUNCH_NS=$(date +%s%N) "$BUILD/bench/startup_probe" 2>/dev/null))
    empty+=($(ZENTAVO_LAUNCH_NS=$(date +%s%N) "$BUILD/bench/empty_window" 2>/dev/null))
    word+=($(ZENTAVO_LAUNCH_NS=$(date +%s%N) "$BUILD/bench/one_label_window" 2>/dev/null))
done
median() { printf "%s\n" "$@" | sort -n | sed -n 16p; }
p_ms=$(median "${program[@]}"); e_ms=$(median "${empty[@]}")
echo "start-up to the main window shown, all eight windows created: ${p_ms} ms (median of 31)"
echo "start-up of an empty Qt Widgets program showing one window:    ${e_ms} ms (median of 31)"
w_ms=$(median "${word[@]}")
echo "start-up of a Qt Widgets program whose one window shows one word: ${w_ms} ms"
echo "ratio: $(awk -v a="$p_ms" -v b="$e_ms" 'BEGIN { printf "%.2f", a / b }')"
echo "one word alone, against the empty window: $(awk -v a="$w_ms" -v b="$e_ms" 'BEGIN { printf "%.2f", a / b }')"

# The study PDFs: labels of 1000 points, the report of 1000 and 10 000.
"$BUILD/bench/make_study" "$TMP/study10k.csv" 10000
QT_QPA_PLATFORM=offscreen "$BUILD/bench/study_pdf_bench" "$TMP/study10k.csv" "$TMP"
# The study window on 10 000 and 100 000 rows: open and show, cell edits, sort, memory.
"$BUILD/bench/study_window_bench" "$TMP/study10k.csv"
"$BUILD/bench/make_study" "$TMP/study100k.csv" 100000
"$BUILD/bench/study_window_bench" "$TMP/study100k.csv"
# A network study of 10 000 meshed buses with devices in the window: a
# point's cell edited (its row computed), the network's (every row), Compute again.
"$BUILD/bench/study_window_bench" network:10000

# The start of a CSV-only run of the small sample study (the PDF module is
# not loaded): mean of 300 runs.
t0=$(date +%s%N)
for _ in $(seq 300); do "$BUILD/batch/zentavo-batch" < "$(dirname "$0")/../examples/study.csv" > /dev/null; done
t1=$(date +%s%N)
echo "zentavo-batch < examples/study.csv: $(( (t1 - t0) / 300000 )) us a run"
