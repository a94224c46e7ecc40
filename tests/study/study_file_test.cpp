// SPDX-License-Identifier: GPL-3.0-or-later
// The study file as the study window holds it: identical bytes when nothing
// changed, unknown columns kept, edits written and computed as the batch
// calculator computes the same rows.
#include "study/study_file.h"
#include "study/cell_text.h"
#include "study/csv.h"
#include "study/run.h"
#include "study_tools.h"

#include <gtest/gtest.h>



namespace zentavo {
namespace {

StudyFile Read(std::string_view bytes) { return StudyFile::Parse(bytes, StudyOptions{}); }

std::string ExampleStudy() { return study_test::FileBytes(ZENTAVO_EXAMPLES_DIR "/study.csv"); }

TEST(StudyFileTest, UnchangedStudySavesToIdenticalBytes) {
    const std::string row = "P1,empirical,480,20,32,mm,455,mm,Switchgear,Grounded,0.2,0.25";
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"example", ExampleStudy()},
        {"header only, no line end", "point,method"},
        {"header only", "point,method\r\n"},
        {"LF", "point,method,voltage\nA,empirical,480\nB,fuse,600\n"},
        {"CR LF, last line without end", "point,method\r\nA,empirical\r\nB,fuse"},
        {"mixed line ends", "point,method\r\nA,empirical\nB,fuse\r\n"},
        {"byte-order mark", "\xEF\xBB\xBFpoint,method\r\nA,empirical\r\n"},
        {"blank lines between and after", "point,method\n\nA,empirical\n\r\n\nB,fuse\n\n\n"},
        {"quoted fields, doubled quotes, line break inside",
         "point,method,note\n\"MCC \"\"A\"\", bucket 3\",empirical,\"two\r\nlines\"\n"},
        {"unknown columns and short rows", "owner,point,x,method\nme,A,1\nyou,B,2,fuse,extra\n"},
        {"whole example row", "point,method,voltage,bolted_current,gap,gap_unit,work_distance,"
                              "work_distance_unit,equipment_class,grounding,arc_time,arc_time_reduced\n" +
                                  row + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const StudyFile f = Read(c.bytes);
        EXPECT_EQ(f.Bytes(), c.bytes);
    }
}

TEST(StudyFileTest, RefusesWhatIsNoStudy) {
    EXPECT_THROW(Read(""), std::runtime_error);
    EXPECT_THROW(Read("\n\n"), std::runtime_error);
    try {
        Read("point,method\nA,empirical\n\"open quote,fuse\n");
        FAIL() << "a malformed record was accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find('3'), std::string::npos) << e.what();
    }
}

TEST(StudyFileTest, AnEditRewritesOnlyItsRowAndKeepsItsLineEnd) {
    StudyFile f = Read("point,method,owner\r\nA,empirical,\"me, myself\"\nB,fuse,you\r\nC,breaker,x");
    f.SetField(1, 2, "them, \"all\"");
    EXPECT_EQ(f.Bytes(), "point,method,owner\r\nA,empirical,\"me, myself\"\nB,fuse,\"them, \"\"all\"\"\"\r\nC,breaker,x");
    f.SetField(2, 0, "C2");  // the last line keeps having no line end
    EXPECT_EQ(f.Field(2, 0), "C2");
    EXPECT_EQ(f.Bytes().substr(f.Bytes().size() - 12), "C2,breaker,x");
    f.SetField(0, 5, "far");  // past the row's last field: the row grows
    EXPECT_EQ(f.Fields(0), (std::vector<std::string>{"A", "empirical", "me, myself", "", "", "far"}));
    f.InsertRow(3, {"D", "fuse"});  // after a last line without end: one is added between
    EXPECT_EQ(f.Bytes().substr(f.Bytes().size() - 23), "C2,breaker,x\r\nD,fuse,\r\n");
}

// Only the edited row's bytes change: the blank lines around it stay, and it
// keeps its own line end, a lone CR too (lines that end in CR alone are rows).
TEST(StudyFileTest, AnEditChangesOnlyItsOwnRowsBytes) {
    // clang-format off
    const struct {
        std::string bytes;
        std::size_t row;
        int column;
        std::string text;
        std::string expected;
    } cases[] = {
        {"point,method\r\nA,fuse\r\n\r\nB,fuse\nC,fuse\r\n", 1, 0, "B2",
         "point,method\r\nA,fuse\r\n\r\nB2,fuse\nC,fuse\r\n"},
        {"point,method\rA,fuse\r\rB,fuse\r", 1, 0, "B2", "point,method\rA,fuse\r\rB2,fuse\r"},
        {"point,method\nA,fuse\n\n\r\n", 0, 1, "breaker", "point,method\nA,breaker\n\n\r\n"},
        {"\n\npoint,method\n\r\nA,fuse", 0, 0, "A2", "\n\npoint,method\n\r\nA2,fuse"},
        {"point,note\r\n\"x\ny\",n\r\r\n", 0, 1, "m", "point,note\r\n\"x\ny\",m\r\r\n"},
        {"point,method\r\nP1,fuse\r\rP2,fuse\n\"P\r3\",fuse", 2, 1, "breaker",
         "point,method\r\nP1,fuse\r\rP2,fuse\n\"P\r3\",breaker"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        StudyFile f = Read(c.bytes);
        ASSERT_GT(f.RowCount(), c.row);
        f.SetField(c.row, c.column, c.text);
        EXPECT_EQ(f.Bytes(), c.expected);
    }
}

// A spreadsheet's "Unicode text" (UTF-16 with a byte-order mark) is read as
// text and saved in UTF-16 again, byte for byte.
TEST(StudyFileTest, Utf16StudiesAreReadAndSavedInUtf16) {
    for (bool little : {true, false}) {
        SCOPED_TRACE(little);
        const std::string bytes = study_test::Utf16Bytes(
            u"point,method\r\n\u03A9-1 \U0001F600,fuse\r\nB,fuse\r\n", little);
        StudyFile f = Read(bytes);
        ASSERT_EQ(f.RowCount(), 2u);
        EXPECT_EQ(f.Point(0), "\xCE\xA9-1 \xF0\x9F\x98\x80");
        EXPECT_EQ(f.Bytes(), bytes);
        f.SetField(1, 0, "\xC2\xB5");  // U+00B5
        EXPECT_EQ(f.Bytes(),
                  study_test::Utf16Bytes(
                      u"point,method\r\n\u03A9-1 \U0001F600,fuse\r\n\u00B5,fuse\r\n", little));
        try {
            Read(bytes.substr(0, bytes.size() - 1));
            ADD_FAILURE() << "a study with a byte left over was read";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("not valid UTF-16"), std::string::npos)
                << e.what();
        }
    }
}

TEST(StudyFileTest, RowsMoveWithTheirBytesAndResults) {
    StudyFile f = Read(ExampleStudy());
    const std::size_t n = f.RowCount();
    ASSERT_GE(n, 3u);
    const std::string raw = f.Raw(1);
    const std::string energy(f.Cells(1)[kIncidentEnergyColumn]);
    f.RemoveRow(1);
    EXPECT_EQ(f.RowCount(), n - 1);
    f.InsertRaw(1, raw);
    EXPECT_EQ(f.Bytes(), ExampleStudy());
    EXPECT_EQ(f.Cells(1)[kIncidentEnergyColumn], energy);
}

TEST(StudyFileTest, AddedColumnGoesToTheHeaderAndKeepsTheByteOrderMark) {
    StudyFile f = Read("\xEF\xBB\xBFpoint,voltage\nA,480\n");
    EXPECT_EQ(f.Columns()[kMethodColumn], -1);
    const int at = f.AddColumn("method");
    EXPECT_EQ(at, 2);
    EXPECT_EQ(f.Columns()[kMethodColumn], 2);
    f.SetField(0, at, "empirical");
    EXPECT_EQ(f.Bytes(), "\xEF\xBB\xBFpoint,voltage,method\nA,480,empirical\n");
}

// The results of every row are those of the batch calculator for the same file.
TEST(StudyFileTest, ResultsAreTheBatchCalculatorsForEveryRow) {
    const std::string study = ExampleStudy();
    StudyOptions options;
    options.units.EnergyUnit = IncidentEnergyUnit::JoulesPerCm2;
    options.units.BoundaryUnit = LengthUnit::Millimetres;
    std::string batch;
    RunStudy(study, options, [&](std::string_view s) { batch += s; });
    const StudyFile f = StudyFile::Parse(study, options);
    const StudyFile rows = Read(batch);  // the result columns read back as a study
    ASSERT_EQ(rows.RowCount(), f.RowCount());
    std::size_t compared = 0;
    for (std::size_t r = 0; r < f.RowCount(); ++r) {
        // Every column the batch writes (the network's only for a study with a network).
        for (int c : WrittenResultColumns(f.Columns())) {
            const int at = rows.ColumnOf(kStudyResultNames[static_cast<std::size_t>(c)]);
            ASSERT_GE(at, 0);
            EXPECT_EQ(f.Cells(r)[static_cast<std::size_t>(c)], rows.Field(r, at)) << "row " << r << " column " << c;
            ++compared;
        }
    }
    EXPECT_GT(compared, 0u);
    // Other units: every row computed again.
    StudyFile g = Read(study);
    const std::string inCal(g.Cells(0)[kIncidentEnergyColumn]);
    g.SetOptions(options);
    EXPECT_EQ(g.Cells(0)[kIncidentEnergyColumn], f.Cells(0)[kIncidentEnergyColumn]);
    EXPECT_NE(g.Cells(0)[kIncidentEnergyColumn], inCal);
}

// Every input column but the DC ones, which join with a DC row: the results
// of a study without one keep the columns of any other study.
TEST(StudyFileTest, NewStudyHasTheNameAndEveryInputColumnButTheDcOnes) {
    StudyFile f;
    EXPECT_EQ(f.PointColumn(), 0);
    for (int c = 0; c < kStudyInputColumnCount; ++c) {
        const bool dc = c == kDcSourceRColumn || c == kDcBoxColumn;
        EXPECT_EQ(f.Columns()[static_cast<std::size_t>(c)] >= 1, !dc) << kStudyInputNames[static_cast<std::size_t>(c)];
    }
    EXPECT_FALSE(HasDcColumns(f.Columns()));
    f.InsertRow(0, {"New point"});
    EXPECT_EQ(f.Point(0), "New point");
    EXPECT_EQ(f.Cells(0)[kStatusColumn], "error");  // no method yet
    const StudyFile back = Read(f.Bytes());
    EXPECT_EQ(back.Bytes(), f.Bytes());
}

// A column added to a study (a cell typed or pasted into a column the file
// lacks) gives every record its empty field, so that each record stays as wide
// as the header and the batch reads every row; the bytes around stay. Taken
// back while it is the last column, the file's bytes are as they were.
TEST(StudyFileTest, AnAddedColumnGivesEveryRecordItsEmptyField) {
    // clang-format off
    const struct {
        std::string bytes, expected;
    } cases[] = {
        {"point,method\r\nA,fuse\r\n\r\nB,fuse\nC,fuse",
         "point,method,note\r\nA,fuse,\r\n\r\nB,fuse,\nC,fuse,"},
        {"point,method\rA,fuse\r\rB,fuse\r", "point,method,note\rA,fuse,\r\rB,fuse,\r"},
        {"point,note0\n\"x\ny\",\"q\"\"\"\n\"\",\n\n", "point,note0,note\n\"x\ny\",\"q\"\"\",\n\"\",,\n\n"},
        {"\xEF\xBB\xBFpoint,method\r\nA,fuse\r\n", "\xEF\xBB\xBFpoint,method,note\r\nA,fuse,\r\n"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        StudyFile f = Read(c.bytes);
        const std::string head = f.Head();
        f.AddColumn("note");
        EXPECT_EQ(f.Bytes(), c.expected);
        for (std::size_t r = 0; r < f.RowCount(); ++r) EXPECT_EQ(f.Fields(r).size(), f.Header().size());
        // Taken back in turn (an undo), each while it is the last column:
        // the bytes as they were, never another column's.
        const std::string noteHead = f.Head();
        const std::size_t noteWidth = f.Header().size();
        f.AddColumn("other");
        EXPECT_FALSE(f.DropLastColumn(head, noteWidth));
        EXPECT_TRUE(f.DropLastColumn(noteHead, noteWidth + 1));
        EXPECT_EQ(f.Bytes(), c.expected);
        EXPECT_TRUE(f.DropLastColumn(head, noteWidth));
        EXPECT_EQ(f.Bytes(), c.bytes);
    }
}

// A record of another width than the header's is an error row in the window
// as in the batch calculator, with the same message naming its line; an
// edit makes it as wide as the header.
TEST(StudyFileTest, ARecordOfAnotherWidthIsAnErrorRowAsInTheBatch) {
    const std::string row = "empirical,480,20,32,mm,455,mm,Switchgear,Grounded,0.2,0.25";
    const std::string study = "point,method,voltage,bolted_current,gap,gap_unit,work_distance,work_distance_unit,"
                              "equipment_class,grounding,arc_time,arc_time_reduced\r\n"
                              "\"A\r\nlong\"," + row + "\r\n\r\n"
                              "B,empirical,480\r\n"
                              "C," + row + ",extra\r\n"
                              "D," + row + "\r\n";
    const StudyFile f = Read(study);
    ASSERT_EQ(f.RowCount(), 4u);
    std::string batch;
    RunStudy(study, StudyOptions{}, [&](std::string_view s) { batch += s; });
    const StudyFile out = Read(batch);
    ASSERT_EQ(out.RowCount(), 4u);
    const char* const expected[] = {"", "line 5: 3 fields where the header has 12",
                                    "line 6: 13 fields where the header has 12", ""};
    for (std::size_t r = 0; r < 4; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(f.Cells(r)[kMessageColumn], expected[r]);
        EXPECT_EQ(f.Cells(r)[kStatusColumn], r == 1 || r == 2 ? "error" : "ok");
        for (int c : WrittenResultColumns(f.Columns())) {
            EXPECT_EQ(f.Cells(r)[static_cast<std::size_t>(c)],
                      out.Field(r, out.ColumnOf(kStudyResultNames[static_cast<std::size_t>(c)])));
        }
    }
    StudyFile edited = Read(study);
    edited.SetField(1, 3, "20");
    EXPECT_EQ(edited.Fields(1).size(), 12u);
    EXPECT_EQ(edited.Cells(1)[kStatusColumn], "warning");  // refused: the gap and the rest are empty
    EXPECT_EQ(edited.Cells(1)[kMessageColumn].find("fields where"), std::string_view::npos);
}

// A typed cell and the text the file keeps of it: numbers with a point in
// the file and with the user's separator on screen, by the kind of column;
// what a number column cannot take is refused before it is kept.
// A computation of every row stopped at a row leaves that row and the rest
// without results, saying why, and Compute again finishes it; edits held
// together compute a network study once, at the end of the hold.
TEST(StudyFileTest, StoppedComputationsAndHeldEdits) {
    for (const char* example : {"/study.csv", "/plant-network.csv"}) {
        SCOPED_TRACE(example);
        StudyFile f = Read(study_test::FileBytes(std::string(ZENTAVO_EXAMPLES_DIR) + example));
        const std::size_t rows = f.RowCount(), stopAt = 3;
        std::vector<std::string> before;
        for (std::size_t r = 0; r < rows; ++r) before.push_back(f.Cells(r)[0]);
        std::size_t starts = 0, last = 0;
        bool stop = true;
        f.SetProgress([&](std::size_t done, std::size_t all) {
            EXPECT_EQ(all, rows);
            starts += done == 0;
            last = done;
            return !(stop && done == stopAt);
        });
        EXPECT_FALSE(f.ComputeAgain());
        EXPECT_EQ(last, rows);  // told that nothing remains
        for (std::size_t r = 0; r < rows; ++r) {
            EXPECT_EQ(f.Result(r).Computed(), r < stopAt && !before[r].empty()) << r;
            if (r >= stopAt) EXPECT_EQ(f.Result(r).message, kComputationStopped) << r;
        }
        stop = false;
        EXPECT_TRUE(f.ComputeAgain());
        for (std::size_t r = 0; r < rows; ++r) EXPECT_EQ(f.Cells(r)[0], before[r]) << r;

        // Four edits held: of a network study's network, computed once, at
        // the release; of a plain one, each edited row at once and never
        // every row.
        const bool network = f.Network() != nullptr;
        starts = 0;
        f.Hold();
        const int column = f.Columns()[network ? kMotorKvaColumn : kWorkDistanceColumn];
        for (std::size_t r = 0; r < 4; ++r) f.SetField(r, column, "600");
        EXPECT_EQ(starts, 0u);
        EXPECT_EQ(f.Release(), network);
        EXPECT_EQ(starts, network ? 1u : 0u);
    }
}

TEST(StudyFileTest, TypedCellsKeepTheirNumbersWithAPoint) {
    // clang-format off
    const struct {
        StudyInputColumn column;
        const char* typed;
        const char* stored;   // nullptr: refused
    } cases[] = {
        {kVoltageColumn,        "480,5",                      "480.5"},
        {kVoltageColumn,        "480.5",                      nullptr},
        {kVoltageColumn,        "none",                       nullptr},
        {kMaxArcTimeColumn,     "none",                       "none"},
        {kMaxArcTimeColumn,     "0,5",                        "0.5"},
        {kMaxArcTimeColumn,     "nothing",                    nullptr},
        {kFuseCurveColumn,      "1200:200  2000:0,5 3e4:1e-2", "1200:200  2000:0.5 3e4:1e-2"},
        {kFuseCurveColumn,      "RK1-600",                    "RK1-600"},
        {kFuseCurveColumn,      "100:1,0:2 x:1,5 7:8,5",      "100:1,0:2 x:1,5 7:8.5"},  // what is no point stays
        {kBusColumn,            "1,5",                        "1,5"},  // a name, not a number
        {kMethodColumn,         "fuse",                       "fuse"},
        {kDeviceTypeColumn,     "fusible",                    "fusible"},  // the row refuses the word
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::string fault = TypedCellFault(c.column, c.typed, ',');
        EXPECT_EQ(fault.empty(), c.stored != nullptr) << fault;
        if (!c.stored) continue;
        EXPECT_EQ(StoredCell(c.column, c.typed, ','), c.stored);
        EXPECT_EQ(ShownCell(c.column, c.stored, ','), c.typed);
        EXPECT_EQ(StoredCell(c.column, c.stored, '.'), c.stored);  // with a point, kept as typed
    }
    EXPECT_EQ(TypedCellFault(kMaxArcTimeColumn, "nothing", ','),
              "max_arc_time: 'nothing' is not a valid floating point value or \"none\"");
}

// An edit of a network study's row computes that row alone where only its
// point reads the cell (gap, working distance, enclosure, typed durations),
// and every row otherwise; either way each row's results are those of the
// study read afresh from the same bytes, and a point-only edit starts no
// computation of every row.
TEST(StudyFileTest, AnEditComputesWhatItTouchesAsTheWholeStudyWould) {
    StudyFile f = Read(study_test::FileBytes(ZENTAVO_EXAMPLES_DIR "/plant-network.csv"));
    std::size_t starts = 0;
    f.SetProgress([&](std::size_t done, std::size_t) {
        starts += done == 0;
        return true;
    });
    // clang-format off
    const struct { std::size_t row; StudyInputColumn column; const char* text; bool everyRow; } edits[] = {
        {1,  kWorkDistanceColumn,          "600",   false},
        {1,  kGapColumn,                   "104",   false},
        {5,  kElectrodeConfigurationColumn, "HCB",  false},
        {5,  kEnclosureDepthColumn,        "600",   false},
        {8,  kArcTimeColumn,               "0.3",   false},   // a row with a device: refused
        {8,  kArcTimeColumn,               "",      false},
        {12, kGapColumn,                   "gap",   false},   // refused, then computed again
        {12, kGapColumn,                   "25",    false},
        {20, kEquipmentClassColumn,        "MCC",   false},
        {20, kCableLengthColumn,           "90",    true},    // the network: every row
        {3,  kTripInstPickupColumn,        "5000",  true},    // a device other rows' arcs may meet
    };
    // clang-format on
    for (const auto& e : edits) {
        SCOPED_TRACE(std::to_string(e.row) + " " + e.text);
        const int column = f.Columns()[e.column];
        ASSERT_GE(column, 0);
        starts = 0;
        f.SetField(e.row, column, e.text);
        EXPECT_EQ(starts, e.everyRow ? 1u : 0u);
        const StudyFile fresh = Read(f.Bytes());
        for (std::size_t r = 0; r < f.RowCount(); ++r) EXPECT_EQ(f.Cells(r), fresh.Cells(r)) << r;
    }
}

}  // namespace
}  // namespace zentavo
