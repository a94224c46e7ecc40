// SPDX-License-Identifier: GPL-3.0-or-later
// A cable's size (cable_size) as the one-line shows it: beside its length
// on one line, never computed with; a size longer than a note line refuses
// the row and is still drawn, cut before a character it would split.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "oneline/diagram.h"
#include "study/study_file.h"

namespace zentavo::oneline {
namespace {

const std::string kHeader =
    "point,method,voltage,gap,electrode_configuration,enclosure_height,enclosure_width,enclosure_"
    "depth,"
    "work_distance,arc_time,arc_time_reduced,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,"
    "tx_z,tx_xr,"
    "cable_length,cable_r,cable_x,cable_sets,cable_size\n";
const std::string kPoint = "ieee1584-2018,480,32,VCB,508,508,508,609.6,0.2,0.2,";
const std::string kSource = "Utility," + kPoint + "SRC,,source,30,10,,,,,,,,\n";

StudyFile Study(const std::string& size, const std::string& branch = "cable") {
    const std::string values = branch == "cable" ? ",,,30,0.06,0.09,2," : "1000,5.75,6,,,,,";
    return StudyFile::Parse(kHeader + kSource + "Feeder," + kPoint + "MCC,SRC," + branch + ",,," +
                                values + "\"" + size + "\"\n",
                            StudyOptions{});
}

TEST(CableSize, ShownBesideTheLengthAndBoundedToANoteLine) {
    const std::string forty(40, 'a');
    // clang-format off
    const struct {
        std::string size;
        bool refused;
        std::string lengthLine;  // as the one-line writes it
    } kCases[] = {
        {"",                         false, "30 m"},
        {"4/0 AWG",                  false, "30 m, 4/0 AWG"},
        {"3\xC3\x97" "240 mm\xC2\xB2", false, "30 m, 3\xC3\x97" "240 mm\xC2\xB2"},
        {forty,                      false, "30 m, " + forty},
        {forty + "b",                true,  "30 m, " + forty},                 // 41 bytes
        {std::string(39, 'a') + "\xC3\xA9", true, "30 m, " + std::string(39, 'a')},  // the 41st byte inside an é
    };
    // clang-format on
    const StudyFile sizeless = Study("");
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.size);
        const StudyFile file = Study(c.size);
        const PointResult& feeder = file.Result(1);
        EXPECT_EQ(feeder.Computed(), !c.refused) << feeder.message;
        if (c.refused) {
            EXPECT_NE(feeder.message.find("cable_size: 41 bytes, at most 40"), std::string::npos)
                << feeder.message;
        } else {
            // Only shown: the point's results are those of the cable without a size.
            EXPECT_EQ(feeder.full.energy, sizeless.Result(1).full.energy);
        }
        const Diagram d = StudyDiagram(file);
        const auto cable =
            std::find_if(d.elements.begin(), d.elements.end(),
                         [](const DiagramElement& e) { return e.kind == ElementKind::Cable; });
        ASSERT_NE(cable, d.elements.end());
        EXPECT_EQ(ElementLines(*cable, '.'), (std::vector<std::string>{c.lengthLine, "2 sets"}));
    }
    // A size on a branch that is no cable refuses the row, as the cable's other columns do.
    const StudyFile other = Study("4/0 AWG", "transformer");
    const PointResult& transformer = other.Result(1);
    EXPECT_FALSE(transformer.Computed());
    EXPECT_NE(transformer.message.find("cable_size: given on a row whose branch_type is not cable"),
              std::string::npos)
        << transformer.message;
}

}  // namespace
}  // namespace zentavo::oneline
