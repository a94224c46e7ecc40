// SPDX-License-Identifier: GPL-3.0-or-later
// The device curves file: curves by name from a real file's bytes (byte-order
// mark, CR LF, a quoted name, a curve's rows apart), and the files refused
// with the line or curve at fault.
#include "study/device_curves.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentavo {
namespace {

TEST(DeviceCurvesFile, CurvesByName) {
    const std::string text =
        "\xEF\xBB\xBFname,current,time\r\n"
        "MCC-30A,60,100\r\n"
        "\"LPA 200, class J\",400,50\r\n"
        "MCC-30A,300,0.05\r\n"
        "\r\n"
        "\"LPA 200, class J\",2000,2E-2\r\n";
    Built<CurveSet> set = ReadDeviceCurves(text);
    ASSERT_EQ(RefusalText(set.refusal), "");
    EXPECT_EQ(set.device->size(), 2u);
    const FuseCurve* mcc = set.device->Find("MCC-30A");
    const FuseCurve* lpa = set.device->Find("LPA 200, class J");
    ASSERT_TRUE(mcc && lpa);
    EXPECT_DOUBLE_EQ(mcc->Trip(60).seconds, 100);
    EXPECT_DOUBLE_EQ(mcc->Trip(300).seconds, 0.05);
    // sqrt(400 x 2000) = 894.43 A, halfway in log I: sqrt(50 x 0.02) = 1 s.
    EXPECT_NEAR(lpa->Trip(894.427191).seconds, 1, 1e-6);
    EXPECT_EQ(set.device->Find("MCC-30"), nullptr);
}

TEST(DeviceCurvesFile, RefusedWithTheLineOrCurveAtFault) {
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"",                               "the curves file is empty: it needs the header name,current,time"},
        {"name,current\nA,1,2\n",          "line 1: the curves file must start with the header name,current,time"},
        {"Name,current,time\nA,1,2\n",     "line 1: the curves file must start with the header name,current,time"},
        {"name,current,time\n",            "the curves file holds no curves"},
        {"name,current,time\nA,1\nA,2,1,x\n",
         "line 2: 2 fields, not 3 (name,current,time); line 3: 4 fields, not 3 (name,current,time)"},
        {"name,current,time\nA,1,2\nA,1;5,1\n", "line 3: '1;5' is not a valid floating point value"},
        {"name,current,time\nA,1,2\nA,\"5\" ,1\n",
         "line 3: unexpected text after a closing quote"},
        {"name,current,time\nA,10,2\nB,1,1\nA,20,3\nB,2,0.5\n",
         "curve 'A': point 2: time must be below the point before"},
        {"name,current,time\n,10,2\n,20,1\n", "curve '': a curve needs a name"},
    };
    // clang-format on
    for (const auto& [text, message] : rows) {
        EXPECT_EQ(RefusalText(ReadDeviceCurves(text).refusal), message) << text;
    }
}

}  // namespace
}  // namespace zentavo
