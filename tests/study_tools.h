// SPDX-License-Identifier: GPL-3.0-or-later
// What the study and batch tests share: a command's output and exit status,
// a file's bytes, the rows of a study's CSV output by column name, and a
// small generator that gives the same points every run.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "study/csv.h"
#include "study/run.h"

namespace zentavo::study_test {

struct CommandRun {
    int status = -1;  // the exit status; -1 when the command did not end by itself
    std::string out;  // its standard output
};

// Runs `command` through the shell.
inline CommandRun RunCommand(const std::string& command) {
    CommandRun r;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

inline std::string FileBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

using CsvRow = std::map<std::string, std::string>;

// The records after the header row (fields separated by `delimiter`), each
// by column name; every record must be well formed and as wide as the header.
inline std::vector<CsvRow> CsvRows(std::string_view text, char delimiter = ',') {
    csv::ReaderOptions options;
    options.delimiter = delimiter;
    csv::Reader reader(text, options);
    std::vector<std::string> header, fields;
    EXPECT_TRUE(reader.Next(header));
    std::vector<CsvRow> rows;
    while (const csv::Record record = reader.Next(fields)) {
        EXPECT_EQ(record.problem, std::nullopt);
        EXPECT_EQ(fields.size(), header.size());
        CsvRow row;
        for (std::size_t i = 0; i < header.size() && i < fields.size(); ++i) row[header[i]] = fields[i];
        rows.push_back(std::move(row));
    }
    return rows;
}

// A text's UTF-16 code units as the bytes of a file: a byte-order mark, then
// each unit low byte first (`little`) or high byte first.
inline std::string Utf16Bytes(std::u16string_view text, bool little) {
    std::string out;
    for (char16_t u : u"\uFEFF" + std::u16string(text)) {
        const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        out += little ? std::string{lo, hi} : std::string{hi, lo};
    }
    return out;
}

// A xorshift generator: the same points every run for a given seed.
struct Random {
    explicit Random(std::uint64_t seed) : s(seed) {}
    std::uint64_t s;
    double Next() {
        s ^= s << 13, s ^= s >> 7, s ^= s << 17;
        return static_cast<double>(s >> 11) * (1.0 / 9007199254740992.0);
    }
    double In(double lo, double hi) { return lo + (hi - lo) * Next(); }
    int Index(int n) { return static_cast<int>(Next() * n) % n; }
};

// The network of the worked example (13.8 kV utility 20 kA X/R 15, minimum
// 12 kA; 2 000 kVA 5.75 % X/R 6 transformer to 480 V switchgear; 60 m of
// 2 sets r 0.1 x 0.08 ohm/km to an MCC with 300 kVA of motors), a panel 90 m
// of a small cable after the MCC, and points of the four methods on it.
inline const std::string kNetworkHeader =
    "point,method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,"
    "arc_time_reduced,fuse_class,electrode_configuration,enclosure_height,enclosure_width,"
    "enclosure_depth,bus,from_bus,branch_type,source_ka,source_xr,source_ka_min,tx_kva,tx_z,"
    "tx_xr,cable_length,cable_r,cable_x,cable_sets,motor_kva\n";
inline const std::string kNetwork =
    kNetworkHeader +
    "UTIL,empirical,13800,,153,910,Switchgear,Grounded,0.2,0.2,,,,,,UTIL,,source,20,15,12,,,,,,,,\n"
    "SWG,empirical,480,,32,455,Switchgear,Grounded,0.2,0.2,,,,,,SWG,UTIL,transformer,,,,2000,5.75,6,,,,,\n"
    "MCC,empirical,480,,25,455,MCC and Panels,Grounded,0.2,0.2,,,,,,MCC,SWG,cable,,,,,,,60,0.1,0.08,2,300\n"
    "SWG 2018,ieee1584-2018,480,,32,610,,,0.0613,0.319,,VCB,610,610,254,SWG,,,,,,,,,,,,,\n"
    "PNL,fuse,480,,,455,,,,,0,,,,,PNL,MCC,cable,,,,,,,90,3.08,0.1,1,\n";

// A study of the 2002 methods' columns and one empirical row of it.
inline const std::string kMethodsHeader =
    "method,voltage,bolted_current,gap,gap_unit,work_distance,work_distance_unit,"
    "equipment_class,grounding,arc_time,arc_time_reduced,fuse_class,breaker_type,"
    "interrupting_rating,instantaneous_trip\n";
inline const std::string kEmpirical = "empirical,480,20,32,mm,455,mm,Switchgear,Grounded,0.2,0.2,,,,\n";

// The study run with the input handed over `piece` bytes at a time.
inline std::string RunPieces(std::string_view input, StudyOptions options = {},
                      std::size_t piece = SIZE_MAX) {
    std::string out;
    RunStudy(TextSource(input, piece), options, [&](std::string_view s) { out.append(s); });
    return out;
}

}  // namespace zentavo::study_test
