// SPDX-License-Identifier: GPL-3.0-or-later
// A computed point kept in a file while a study's PDFs are written: its
// name, its input texts and its result as numbers, its device and those
// that opened in its steps by their settings, so that the labels and the
// report are written from the results the run computed, without a row
// computed again, a device built from a row's texts or a result text read
// back. The records are the program's
// own, read back by the same build: no format meant to last.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "study/point_result.h"
#include "study/row.h"

namespace zentavo {

// Appends the record of one point to `out`.
void AppendPointRecord(std::string& out, std::string_view name, const StudyRowInputs& inputs,
                       const PointResult& result);

// A point read back: it owns the texts its inputs view.
struct PointRecord {
    std::string name;
    std::array<std::string, kStudyInputColumnCount> texts;
    StudyRowInputs inputs;  // views into `texts`
    PointResult result;
};

// Reads the record at the start of `in` into `out` and takes it off `in`;
// false when `in` holds no whole record. A record that is not one raises
// zentavo::Error.
bool ReadPointRecord(std::string_view& in, PointRecord& out);
// The length of the record at the start of `in` (0 while it is not whole).
std::size_t PointRecordSize(std::string_view in);

}  // namespace zentavo
