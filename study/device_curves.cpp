// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/device_curves.h"

#include <string>
#include <vector>

#include "engine/number.h"
#include "study/csv.h"

namespace zentavo {

namespace {

constexpr std::string_view kHeader[] = {"name", "current", "time"};

struct Row {
    std::string name;
    double current = 0;
    double time = 0;
};

void Add(std::string& errors, std::size_t line, std::string_view problem) {
    if (!errors.empty()) errors += "; ";
    errors += "line " + std::to_string(line) + ": ";
    errors += problem;
}

// A curves file that gives no curves: its refusal is a curve's.
Built<CurveSet> Refused(std::string message) {
    return {std::nullopt, Refusal{RefusalCode::Curve, std::move(message)}};
}

}  // namespace

Built<CurveSet> ReadDeviceCurves(std::string_view text) {
    csv::Reader reader(text);
    csv::Fields fields;
    const csv::Record first = reader.Next(fields);
    if (!first) {
        return Refused("the curves file is empty: it needs the header name,current,time");
    }
    const bool header = !first.problem && fields.size() == 3 && fields[0] == kHeader[0] &&
                        fields[1] == kHeader[1] && fields[2] == kHeader[2];
    if (!header) {
        return Refused("line " + std::to_string(first.line) +
                       ": the curves file must start with the header name,current,time");
    }
    std::vector<Row> rows;
    std::string errors;
    while (const csv::Record record = reader.Next(fields)) {
        if (record.problem) {
            if (!errors.empty()) errors += "; ";
            errors += *record.problem;  // the reader's message names its line
            continue;
        }
        const std::size_t line = record.line;
        if (fields.size() != 3) {
            Add(errors, line, std::to_string(fields.size()) + " fields, not 3 (name,current,time)");
            continue;
        }
        Row r{std::string(fields[0])};
        const std::optional<double> current = ReadNumber(fields[1], '.');
        const std::optional<double> time = current ? ReadNumber(fields[2], '.') : std::nullopt;
        if (!current || !time) {
            Add(errors, line, ConversionMessage(current ? fields[2] : fields[1]));
            continue;
        }
        r.current = *current;
        r.time = *time;
        rows.push_back(std::move(r));
    }
    if (!errors.empty()) return Refused(std::move(errors));
    if (rows.empty()) return Refused("the curves file holds no curves");
    std::vector<NamedCurvePoint> points;
    points.reserve(rows.size());
    for (const Row& r : rows) points.push_back({r.name, r.current, r.time});
    return MakeCurveSet(points);
}

}  // namespace zentavo
