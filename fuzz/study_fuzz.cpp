// The study runner on any bytes: the CSV reader and every row computation.
// Every line of output must be a well-formed record with the header's count
// of fields, and a row must carry a known status.
//   byte 0: the decimal separator and the output units; the rest: the study.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "batch/csv.h"
#include "batch/study.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    zentavo::StudyOptions options;
    options.sep = (data[0] & 1) ? ',' : '.';
    if (data[0] & 2) options.units.EnergyUnit = "J/cm2";
    if (data[0] & 4) options.units.BoundaryUnit = "mm";
    const char* pressures[] = {"lb/ft2", "N/m2", "Atmosphere", "kpa"};
    options.units.PressureUnit = pressures[(data[0] >> 3) & 3];
    if (data[0] & 32) options.units.TntUnit = "grams";
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::string out;
    const bool read = zentavo::RunStudy(input, options, [&](std::string_view s) { out.append(s); });
    if (!read) {
        if (!out.empty()) std::abort();
        return 0;
    }
    zentavo::csv::Reader reader(out);
    std::vector<std::string> header, fields;
    std::size_t line;
    std::string error;
    if (!reader.Next(header, line, error) || !error.empty()) std::abort();
    const std::size_t statusColumn = header.size() - zentavo::kStudyResultColumnCount;
    while (reader.Next(fields, line, error)) {
        if (!error.empty() || fields.size() != header.size()) std::abort();
        const std::string& status = fields[statusColumn];
        if (status != "ok" && status != "warning" && status != "error") std::abort();
    }
    return 0;
}
