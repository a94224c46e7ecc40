// SPDX-License-Identifier: GPL-3.0-or-later
// The network study on any values: a small plant (a source, a transformer
// on a tap, a cable with motors and a parallel cable to the same bus, a
// point on it with a trip unit, a generator, a three-winding transformer)
// whose network values come from the input.
//   byte 0: bit 0 the decimal separator (',' with ';' between the fields),
//           bit 1 the convention (iec60909), bit 7 how the values are given;
//   the rest: the values of the slots below in order, either as texts
//           separated by '|' (bit 7 clear), or as 8-byte doubles written
//           with 17 significant digits (bit 7 set). A slot not given keeps
//           the plant's own value.
// Only digits, signs, exponents and the separator reach the study, so any
// word of the results is the program's own: none may say INF or NAN, every
// row has a known status, and a computed row's bolted currents and branch
// shares are finite numbers.
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "engine/number.h"
#include "study/csv.h"
#include "study/row.h"
#include "study/run.h"

namespace {

// The plant, one row a line; @n is slot n.
const char* const kRows[] = {
    "UTIL,empirical,@0,153,910,Switchgear,Grounded,0.2,0.2,UTIL,,source,@1,@2,@3,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,",
    "SWG,empirical,@4,32,455,Switchgear,Grounded,0.2,0.2,SWG,UTIL,transformer,,,,@5,@6,@7,,,,,,,,,,,,,,,,,,,,,@24,@25,@26,,,,,,,,,",
    "MCC,empirical,@8,25,455,MCC and Panels,Grounded,0.2,0.2,MCC,SWG,cable,,,,,,,@9,@10,@11,@12,@13,@14,@15,,,,,,,,,,,,,,,,,,,,,,,,,@38",
    "MCC tie,empirical,@8,25,455,MCC and Panels,Grounded,,,MCC,SWG,cable,,,,,,,@16,@17,@18,,,,,trip-unit,"
    "1200,1,10,3,0.3,5,0.05,,,,,,,,,,,,,,,,,",
    "MCC bucket,empirical,@8,25,455,MCC and Panels,Grounded,,,MCC,,,,,,,,,,,,,,,,trip-unit,600,1,10,5,0.1,10,,,,,,,,,,,,,,,,,,",
    "GEN,empirical,@4,32,455,Switchgear,Grounded,0.2,0.2,SWG,,generator,,,,,,,,,,,,,,,,,,,,,,@19,@20,@21,@22,@23,,,,,,,,,,,,",
    "MV3,empirical,@27,104,910,Switchgear,Grounded,0.2,0.2,MV3,UTIL,transformer3,,,,@29,@32,,,,,,,,,,,,,,,,,,,,,,,,,LV3,@30,@31,@33,@34,@35,@36,@37,",
    "LV3,empirical,@28,32,455,Switchgear,Grounded,0.2,0.2,LV3,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,",
};
const char* const kHeader =
    "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,bus,"
    "from_bus,branch_type,source_ka,source_xr,source_ka_min,tx_kva,tx_z,tx_xr,cable_length,cable_r,"
    "cable_x,cable_sets,motor_kva,motor_x,motor_xr,device_type,trip_rating,trip_lt_pickup,trip_lt_delay,"
    "trip_st_pickup,trip_st_delay,trip_inst_pickup,trip_inst_time,gen_kva,gen_kv,gen_xd,gen_xr,gen_cos_phi,"
    "tx_kv_hv,tx_kv_lv,tx_tap,lv_bus,tx_kva_mv,tx_kva_lv,tx_z_hl,tx_z_ml,tx_ur,tx_ur_hl,tx_ur_ml,cable_end_temp";
const char* const kPlant[] = {"13800", "20",  "15",  "12",   "480", "2000", "5.75", "6",   "480", "60",
                              "0.1",   "0.08", "2",  "300",  "0.2", "10",   "25",   "0.1", "0.08",
                              // a generator on SWG; the transformer's rated voltages and tap
                              "1000",  "0.48", "0.15", "10", "0.85", "14.4", "0.48", "2.5",
                              // a three-winding transformer to MV3 and LV3; the MCC cable's end temperature
                              "4160",  "480",  "5000", "5000", "2000", "8", "7", "5", "0.8", "0.7", "0.5", "90"};
constexpr std::size_t kSlots = std::size(kPlant);

// Letters that make no word: what a value may hold.
bool Kept(char c, char sep) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E' || c == sep;
}

std::vector<std::string> Values(const std::uint8_t* data, std::size_t size, char sep) {
    std::vector<std::string> v(kPlant, kPlant + kSlots);
    const bool binary = data[0] & 0x80;
    std::size_t at = 1;
    for (std::size_t slot = 0; slot < kSlots && at < size; ++slot) {
        std::string text;
        if (binary) {
            if (size - at < sizeof(double)) break;
            double d;
            std::memcpy(&d, data + at, sizeof d);
            at += sizeof d;
            char buffer[64];
            // A value that is not finite is typed as one that overflows.
            if (std::isfinite(d)) std::snprintf(buffer, sizeof buffer, "%.17g", d);
            else std::snprintf(buffer, sizeof buffer, "%s1e999", d < 0 ? "-" : "");
            text = buffer;
            if (sep != '.') {
                for (char& c : text) c = c == '.' ? sep : c;
            }
        } else {
            for (; at < size && data[at] != '|'; ++at) text += static_cast<char>(data[at]);
            ++at;
        }
        std::string kept;
        for (char c : text) {
            if (Kept(c, sep)) kept += c;
        }
        v[slot] = std::move(kept);
    }
    return v;
}

// Whether a text holds the word inf, infinity or nan (any case).
bool SaysNotANumber(std::string_view text) {
    std::string word;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        if (std::isalpha(static_cast<unsigned char>(c))) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            continue;
        }
        if (word == "inf" || word == "infinity" || word == "nan") return true;
        word.clear();
    }
    return false;
}

double FiniteNumber(std::string_view text, char sep) {
    try {
        return zentavo::ParseNumber(text, sep);
    } catch (const zentavo::ConversionError&) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    zentavo::StudyOptions options;
    options.workers = 1;
    options.sep = (data[0] & 1) ? ',' : '.';
    options.delimiter = options.sep == ',' ? ';' : ',';
    options.shortCircuit = (data[0] & 2) ? zentavo::network::Convention::Iec60909 : zentavo::network::Convention::Ansi;
    const std::vector<std::string> values = Values(data, size, options.sep);

    // The plant with the values in its slots, the fields between `delimiter`.
    std::string study;
    for (const char* p = kHeader; *p; ++p) study += *p == ',' ? options.delimiter : *p;
    study += '\n';
    for (const char* row : kRows) {
        for (const char* p = row; *p; ++p) {
            if (*p == '@') {
                char* end;
                study += values[std::strtoul(p + 1, &end, 10)];
                p = end - 1;
            } else {
                study += *p == ',' ? options.delimiter : *p;
            }
        }
        study += '\n';
    }

    std::string out;
    try {
        // The header is the target's own: a refusal of it is an exception, and a crash here.
        zentavo::RunStudy(study, options, [&](std::string_view s) { out.append(s); });
    } catch (const std::exception& e) {
        // No row's trouble leaves its row.
        std::fprintf(stderr, "network_fuzz: an exception left the run: %s\n", e.what());
        std::abort();
    }
    if (out.find(zentavo::kStudyModelStopped) != std::string::npos) std::abort();
    if (SaysNotANumber(out)) std::abort();

    zentavo::csv::ReaderOptions reading;
    reading.delimiter = options.delimiter;
    zentavo::csv::Reader reader(out, reading);
    zentavo::csv::Fields fields;
    if (const zentavo::csv::Record header = reader.Next(fields); !header || header.problem)
        std::abort();
    std::vector<std::string> header;
    for (std::size_t i = 0; i < fields.size(); ++i) header.emplace_back(fields[i]);
    auto column = [&](std::string_view name) {
        for (std::size_t i = 0; i < header.size(); ++i) {
            if (header[i] == name) return i;
        }
        std::abort();
    };
    const std::size_t status = column("status"), max = column("bolted_current_max"),
                      min = column("bolted_current_min"), share = column("branch_share"),
                      shareMin = column("branch_share_min");
    std::size_t rows = 0;
    while (const zentavo::csv::Record record = reader.Next(fields)) {
        if (record.problem || fields.size() != header.size()) std::abort();
        ++rows;
        const std::string_view s = fields[status];
        if (s != "ok" && s != "warning" && s != "error") std::abort();
        if (s == "error") continue;
        // A row computed from the network: its currents and shares are numbers.
        for (const std::size_t c : {max, min}) {
            if (!(FiniteNumber(fields[c], options.sep) >= 0)) std::abort();
        }
        for (const std::size_t c : {share, shareMin}) {
            if (!fields[c].empty() && !(FiniteNumber(fields[c], options.sep) >= 0)) std::abort();
        }
    }
    if (rows != std::size(kRows)) std::abort();
    return 0;
}
