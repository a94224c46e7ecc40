// SPDX-License-Identifier: GPL-3.0-or-later
// The one-line diagram of small networks and of the plant example: what it
// holds (every bus and element once, the hazard of each bus from its
// points, each element's state in the scenario drawn) and where it goes
// (bars and notes apart, radial networks without a crossing, a tie between
// the buses it joins, the same places for the same study).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "engine/number.h"
#include "oneline/diagram.h"
#include "oneline/layout.h"
#include "study/study_file.h"
#include "study_tools.h"

namespace zentavo::oneline {
namespace {

const std::string kHeader =
    "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,bus,from_bus,"
    "branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,cable_r,cable_x,motor_kva,device_type,"
    "fuse_curve,scenarios,lv_bus,tx_kva_mv,tx_kva_lv,tx_z_hl,tx_z_ml,tx_ur,tx_ur_hl,tx_ur_ml,gen_kva,gen_xd\n";

// A point of `kv` volts on `bus`, its branch from `from`; `rest` the
// columns from source_ka on (13 of them up to scenarios, then the
// three-winding transformer's and the generator's).
std::string Row(const std::string& kv, const std::string& bus, const std::string& from, const std::string& type,
                const std::string& rest) {
    return "p,empirical," + kv + ",32,455,Switchgear,Grounded,0.2,0.2," + bus + "," + from + "," + type + "," +
           rest + "\n";
}
std::string Source(const std::string& bus) { return Row("13800", bus, "", "source", "25,15,,,,,,,,,,,,,,,,,,,,"); }
std::string Transformer(const std::string& bus, const std::string& from, const std::string& more = ",,,") {
    return Row("480", bus, from, "transformer", ",,2000,5.75,6,,,," + more + ",,,,,,,,,,");
}
// `more`: motor_kva, device_type, fuse_curve, scenarios.
std::string Cable(const std::string& bus, const std::string& from, const std::string& more = ",,,") {
    return Row("480", bus, from, "cable", ",,,,,30,0.1,0.08," + more + ",,,,,,,,,,");
}

// clang-format off
const struct Network {
    const char* name;
    std::string study;
    std::size_t buses, elements;
    bool radial;
} kNetworks[] = {
    {"radial", kHeader + Source("U") + Transformer("SWG", "U") + Cable("M1", "SWG", "150,,,") +
        Cable("P1", "M1", ",fuse-curve,200:300 400:20 1000:0.1,") + Cable("P2", "M1") + Cable("M2", "SWG") +
        Row("13800", "MV", "U", "transformer3", ",,20000,8,,,,,,,,,LV,20000,10000,10,6,0.3,0.25,0.2,,") +
        Cable("P3", "SWG"), 9, 9, true},
    {"two sources", kHeader + Source("U1") + Source("U2") + Transformer("A", "U1") + Transformer("B", "U2") +
        Cable("A1", "A") + Cable("B1", "B") + Cable("B2", "B"), 7, 7, true},
    {"dead part and a generator", kHeader + Source("U") + Transformer("A", "U") + Cable("X1", "X") +
        Cable("X2", "X1") + Row("480", "G", "", "generator", ",,,,,,,,,,,,,,,,,,,,1000,0.15") + Cable("G1", "G"),
        7, 6, true},
    {"double-ended", kHeader + Source("U") + Transformer("SUB-A", "U") + Transformer("SUB-B", "U") +
        Cable("SUB-B", "SUB-A", ",,,tie-closed") + Cable("A1", "SUB-A") + Cable("B1", "SUB-B"), 5, 6, false},
    {"second circuit", kHeader + Source("U") + Transformer("A", "U") + Cable("B", "A") + Cable("B", "A") +
        Cable("C", "B"), 4, 5, false},
    {"ring", kHeader + Source("U") + Transformer("A", "U") + Cable("B", "A") + Cable("C", "B") + Cable("D", "C") +
        Cable("A", "D") + Cable("E", "C"), 6, 7, false},
};
// clang-format on

StudyFile Parse(const std::string& study) { return StudyFile::Parse(study, StudyOptions{}); }

std::string PlantStudy() { return study_test::FileBytes(ZENTAVO_EXAMPLES_DIR "/plant-network.csv"); }

// A tree of `buses` 480 V buses under one transformer, each cable from an
// earlier bus picked by a fixed sequence; every seventh bus with motors.
std::string GeneratedTree(int buses) {
    std::uint64_t seed = 0x9E3779B97F4A7C15ull;
    std::string s = kHeader + Source("B0") + Transformer("B1", "B0");
    for (int b = 2; b < buses; ++b) {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        const int from = 1 + static_cast<int>(seed % static_cast<std::uint64_t>(b - 1));
        s += Cable("B" + std::to_string(b), "B" + std::to_string(from), b % 7 == 0 ? "50,,," : ",,,");
    }
    return s;
}

// A substation with `mccs` motor control centres, each with a motor and
// one to three panels.
std::string WideSubstation(int mccs) {
    std::string s = kHeader + Source("U") + Transformer("SWG", "U");
    for (int m = 1; m <= mccs; ++m) {
        const std::string mcc = "MCC" + std::to_string(m);
        s += Cable(mcc, "SWG", "200,,,");
        for (int p = 0; p <= m % 3; ++p) s += Cable(mcc + "-P" + std::to_string(p), mcc);
    }
    return s;
}

// Each case of a table with each width of a layout (0: side by side).
template <typename Rows>
auto Across(const Rows& rows, std::initializer_list<std::size_t> widths) {
    std::vector<std::pair<typename std::decay_t<decltype(*std::begin(rows))>, std::size_t>> out;
    for (const auto& row : rows) {
        for (std::size_t w : widths) out.push_back({row, w});
    }
    return out;
}

struct Segment {
    Point a, b;
    bool Vertical() const { return a.x == b.x; }
};

// Where links cross each other, and where a link meets a bus bar other than
// at its own end on a bus of its element, or passes through a note.
struct Faults {
    int crossings = 0;
    std::vector<std::string> wrong;
};

bool Between(double v, double a, double b) { return v > std::min(a, b) && v < std::max(a, b); }
bool Within(double v, double a, double b) { return v >= std::min(a, b) && v <= std::max(a, b); }

// Two segments of the drawing (each horizontal or vertical) cross: they
// meet inside both, or lie along one line over a length.
bool Cross(const Segment& s, const Segment& t) {
    if (s.Vertical() == t.Vertical()) {
        if (s.Vertical()) return s.a.x == t.a.x && std::max(std::min(s.a.y, s.b.y), std::min(t.a.y, t.b.y)) <
                                                         std::min(std::max(s.a.y, s.b.y), std::max(t.a.y, t.b.y));
        return s.a.y == t.a.y && std::max(std::min(s.a.x, s.b.x), std::min(t.a.x, t.b.x)) <
                                     std::min(std::max(s.a.x, s.b.x), std::max(t.a.x, t.b.x));
    }
    const Segment& v = s.Vertical() ? s : t;
    const Segment& h = s.Vertical() ? t : s;
    return Between(v.a.x, h.a.x, h.b.x) && Between(h.a.y, v.a.y, v.b.y);
}

Faults Check(const Diagram& d, const Layout& l) {
    Faults f;
    std::vector<std::pair<std::size_t, Segment>> segments;
    for (std::size_t e = 0; e < l.elements.size(); ++e) {
        for (const auto& line : l.elements[e].links) {
            for (std::size_t k = 1; k < line.size(); ++k) {
                EXPECT_TRUE(line[k].x == line[k - 1].x || line[k].y == line[k - 1].y) << "element " << e;
                if (!(line[k] == line[k - 1])) segments.push_back({e, {line[k - 1], line[k]}});
            }
        }
    }
    for (std::size_t i = 0; i < segments.size(); ++i) {
        for (std::size_t j = i + 1; j < segments.size(); ++j) {
            if (segments[i].first != segments[j].first && Cross(segments[i].second, segments[j].second)) ++f.crossings;
        }
    }
    for (const auto& [e, s] : segments) {
        const auto& buses = d.elements[e].buses;
        for (std::size_t b = 0; b < l.buses.size(); ++b) {
            const PlacedBus& bar = l.buses[b];
            const bool own = std::find(buses.begin(), buses.end(), static_cast<int>(b)) != buses.end();
            for (const Box& piece : bar.Bars()) {
                // A bar along its centre line; a riser (upright) as its box, which no link meets.
                const double y = piece.y + piece.h / 2, x0 = piece.x, x1 = piece.x + piece.w;
                const bool upright = piece.h > piece.w;
                const bool meets = upright ? std::max(s.a.x, s.b.x) >= x0 && std::min(s.a.x, s.b.x) <= x1 &&
                                                 std::max(s.a.y, s.b.y) >= piece.y &&
                                                 std::min(s.a.y, s.b.y) <= piece.y + piece.h
                                   : s.Vertical() ? Within(s.a.x, x0, x1) && Within(y, s.a.y, s.b.y)
                                                  : s.a.y == y && std::max(s.a.x, s.b.x) >= x0 &&
                                                        std::min(s.a.x, s.b.x) <= x1;
                const bool atEnd = !upright && s.Vertical() && (s.a.y == y || s.b.y == y);
                if (meets && !(own && atEnd))
                    f.wrong.push_back("element " + std::to_string(e) + " meets a bar of " + d.buses[b].name);
            }
            const Box& n = bar.note;
            const bool inNote = s.Vertical() ? Between(s.a.x, n.x, n.x + n.w) &&
                                                   std::max(s.a.y, s.b.y) > n.y && std::min(s.a.y, s.b.y) < n.y + n.h
                                             : Between(s.a.y, n.y, n.y + n.h) &&
                                                   std::max(s.a.x, s.b.x) > n.x && std::min(s.a.x, s.b.x) < n.x + n.w;
            if (inNote) f.wrong.push_back("element " + std::to_string(e) + " passes through the note of " + d.buses[b].name);
        }
    }
    return f;
}

// The buses whose bars (a wrapped bus's rows too) the ends of an element's links lie on.
std::set<int> BusesReached(const Layout& l, const PlacedElement& p) {
    std::set<int> reached;
    for (const auto& line : p.links) {
        for (const Point& end : {line.front(), line.back()}) {
            for (std::size_t b = 0; b < l.buses.size(); ++b) {
                for (const Box& bar : l.buses[b].Bars()) {
                    if (bar.w > bar.h && end.y == bar.y + bar.h / 2 && end.x >= bar.x && end.x <= bar.x + bar.w)
                        reached.insert(static_cast<int>(b));
                }
            }
        }
    }
    return reached;
}

// Side by side and wrapped into rows three columns wide (each branch then
// reaching a row of its bus's bar).
TEST(OneLineLayout, EveryBusAndElementPlacedOnceOnItsBuses) {
    for (const auto& [n, columns] : Across(kNetworks, {0, 3})) {
        SCOPED_TRACE(std::string(n.name) + " in " + std::to_string(columns));
        const StudyFile file = Parse(n.study);
        const Diagram d = StudyDiagram(file);
        ASSERT_EQ(d.buses.size(), n.buses);
        ASSERT_EQ(d.elements.size(), n.elements);
        const Layout l = LayOut(d, columns);
        ASSERT_EQ(l.buses.size(), n.buses);
        ASSERT_EQ(l.elements.size(), n.elements);
        for (std::size_t e = 0; e < d.elements.size(); ++e) {
            SCOPED_TRACE(e);
            const PlacedElement& p = l.elements[e];
            ASSERT_FALSE(p.links.empty());
            std::set<int> own;
            for (int b : d.elements[e].buses) {
                if (b >= 0) own.insert(b);
            }
            // A branch reaches each of its buses; a source, generator or
            // motor its own, from which it stands above (below for a motor).
            if (own.size() > 1) {
                EXPECT_EQ(BusesReached(l, p), own);
            } else {
                EXPECT_EQ(BusesReached(l, p), own);
                EXPECT_EQ(p.direction, d.elements[e].kind == ElementKind::Motor ? 1 : -1);
            }
        }
    }
}

// Bars (a wrapped bus's rows and riser too), bus notes and the texts of
// the elements (those with any) apart, and inside the picture; side by
// side and wrapped into rows of a sheet's width and narrower.
TEST(OneLineLayout, BarsAndNotesNeverOverlap) {
    std::vector<std::pair<std::string, std::string>> studies;
    for (const Network& n : kNetworks) studies.push_back({n.name, n.study});
    studies.push_back({"plant", PlantStudy()});
    studies.push_back({"tree of 400", GeneratedTree(400)});
    studies.push_back({"wide substation", WideSubstation(14)});
    for (const auto& [study, columns] : Across(studies, {0, 4, 9})) {
        SCOPED_TRACE(study.first + " in " + std::to_string(columns));
        const Diagram d = StudyDiagram(Parse(study.second));
        const Layout l = LayOut(d, columns);
        std::vector<std::pair<Box, std::size_t>> boxes;  // and whose: a bus's pieces meet each other
        for (std::size_t b = 0; b < l.buses.size(); ++b) {
            for (const Box& bar : l.buses[b].Bars()) boxes.push_back({bar, b});
            boxes.push_back({l.buses[b].note, b});
            EXPECT_LT(l.buses[b].x0, l.buses[b].x1);
        }
        for (std::size_t e = 0; e < d.elements.size(); ++e) {
            if (!ElementLines(d.elements[e], '.').empty()) boxes.push_back({l.elements[e].text, l.buses.size() + e});
        }
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const Box& a = boxes[i].first;
            EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= l.width && a.y + a.h <= l.height);
            for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                if (boxes[i].second != boxes[j].second) EXPECT_FALSE(a.Overlaps(boxes[j].first)) << i << " " << j;
            }
        }
    }
}

TEST(OneLineLayout, NetworksWithoutCrossingsTiesOnlyWhereLoopsClose) {
    std::vector<std::tuple<std::string, std::string, bool>> studies;
    for (const Network& n : kNetworks) studies.push_back({n.name, n.study, n.radial});
    studies.push_back({"tree of 400", GeneratedTree(400), true});
    studies.push_back({"plant", PlantStudy(), false});
    studies.push_back({"wide substation", WideSubstation(14), true});
    for (const auto& [row, columns] : Across(studies, {0, 9})) {
        const auto& [name, study, radial] = row;
        SCOPED_TRACE(name + " in " + std::to_string(columns));
        const Diagram d = StudyDiagram(Parse(study));
        const Layout l = LayOut(d, columns);
        const Faults f = Check(d, l);
        // No link meets a bar but at its own ends, nor a note, ties or not.
        EXPECT_TRUE(f.wrong.empty()) << f.wrong.front();
        // Radial networks have none; these small meshes and the plant's tie
        // and second circuit none either.
        EXPECT_EQ(f.crossings, 0);
        std::size_t ties = 0;
        for (const PlacedElement& p : l.elements) ties += p.tie;
        EXPECT_EQ(ties > 0, !radial);
        // Sources at the top: above every bus bar.
        for (std::size_t e = 0; e < d.elements.size(); ++e) {
            if (d.elements[e].kind != ElementKind::Source) continue;
            for (const PlacedBus& b : l.buses) EXPECT_LT(l.elements[e].symbol.y, b.y);
        }
    }
}

// Laid out to a width: the buses whose branches would spread wider hang
// them from further rows of their bars, each row under the deepest part of
// the one before and joined to the first by the riser, so that the picture
// keeps to the width; a click on a row or the riser finds its bus. A bus
// with a tie at it or under it keeps its branches side by side, and the
// tie's buses their layers.
TEST(OneLineLayout, AWideBusWrapsIntoRowsWithinTheWidth) {
    // clang-format off
    const struct {
        const char* name;
        std::string study;
        std::size_t columns;  // the width asked
        bool wraps;           // false: the buses too wide have ties at or under them
    } kCases[] = {
        {"wide substation", WideSubstation(14), 9, true},
        {"wide substation", WideSubstation(14), 4, true},
        {"tree of 400",     GeneratedTree(400), 9, true},
        {"plant",           PlantStudy(),       9, false},
    };
    // clang-format on
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.name) + " in " + std::to_string(c.columns));
        const Diagram d = StudyDiagram(Parse(c.study));
        const Layout l = LayOut(d, c.columns), side = LayOut(d);
        std::size_t wrapped = 0;
        for (std::size_t b = 0; b < l.buses.size(); ++b) {
            const PlacedBus& p = l.buses[b];
            if (p.rows.empty()) continue;
            ++wrapped;
            double above = p.y;
            for (const PlacedBus::Row& row : p.rows) {
                EXPECT_GT(row.y, above);
                above = row.y;
                EXPECT_EQ(BusAt(l, {(p.x0 + row.x1) / 2, row.y}), b);
            }
            EXPECT_EQ(BusAt(l, {p.riser, (p.y + p.rows.back().y) / 2}), b);
        }
        EXPECT_EQ(wrapped > 0, c.wraps);
        if (c.wraps) {
            EXPECT_LE(l.columns, c.columns);
            EXPECT_LT(l.columns, side.columns);
        } else {
            EXPECT_EQ(l.columns, side.columns);
        }
        // Every branch from a bar of each of its buses (a row's or the first).
        for (std::size_t e = 0; e < d.elements.size(); ++e) {
            std::set<int> own;
            for (int b : d.elements[e].buses) {
                if (b >= 0) own.insert(b);
            }
            EXPECT_EQ(BusesReached(l, l.elements[e]), own) << e;
            if (!l.elements[e].tie) continue;
            for (int b : own) {
                EXPECT_TRUE(l.buses[static_cast<std::size_t>(b)].rows.empty()) << d.buses[static_cast<std::size_t>(b)].name;
                EXPECT_EQ(l.buses[static_cast<std::size_t>(b)].layer, side.buses[static_cast<std::size_t>(b)].layer);
            }
        }
    }
}

TEST(OneLineLayout, LayersFollowTheBranchesFromTheSources) {
    const Diagram d = StudyDiagram(Parse(kNetworks[0].study));
    const Layout l = LayOut(d);
    // clang-format off
    const std::map<std::string, int> layers = {
        {"U", 0}, {"SWG", 1}, {"MV", 1}, {"M1", 2}, {"M2", 2}, {"P3", 2}, {"LV", 1}, {"P1", 3}, {"P2", 3}};
    // clang-format on
    for (const auto& [bus, layer] : layers) {
        SCOPED_TRACE(bus);
        const int b = d.BusOf(bus);
        ASSERT_GE(b, 0);
        EXPECT_EQ(l.buses[static_cast<std::size_t>(b)].layer, layer);
    }
    EXPECT_EQ(l.layers, 4);
    // A bus below the one feeding it, within its bar's reach.
    const PlacedBus& swg = l.buses[static_cast<std::size_t>(d.BusOf("SWG"))];
    const PlacedBus& m1 = l.buses[static_cast<std::size_t>(d.BusOf("M1"))];
    EXPECT_GT(m1.y, swg.y);
    EXPECT_TRUE(m1.x0 >= swg.x0 && m1.x0 < swg.x1);
}

TEST(OneLineLayout, ATieRunsBetweenTheBusesItJoins) {
    const Diagram d = StudyDiagram(Parse(kNetworks[3].study));  // double-ended
    const Layout l = LayOut(d);
    std::vector<std::size_t> ties;
    for (std::size_t e = 0; e < l.elements.size(); ++e) {
        if (l.elements[e].tie) ties.push_back(e);
    }
    ASSERT_EQ(ties.size(), 1u);
    const DiagramElement& tie = d.elements[ties[0]];
    EXPECT_EQ(d.buses[static_cast<std::size_t>(tie.buses[0])].name, "SUB-A");
    EXPECT_EQ(d.buses[static_cast<std::size_t>(tie.buses[1])].name, "SUB-B");
    EXPECT_EQ(BusesReached(l, l.elements[ties[0]]), (std::set<int>{tie.buses[0], tie.buses[1]}));
    // Both substations in one layer: the tie leaves one downwards and
    // comes up into the other.
    const std::vector<Point>& line = l.elements[ties[0]].links.front();
    EXPECT_EQ(line.front().y, line.back().y);
    EXPECT_GT(std::max_element(line.begin(), line.end(), [](Point a, Point b) { return a.y < b.y; })->y,
              line.front().y + kBandBelow);
}

// A branch's device sits on its link beside the bus device_at puts it at:
// the row's bus (empty, bus: a transformer's secondary side) or from_bus;
// so too on a tie, whose link reaches its second bus from a lane.
TEST(OneLineLayout, ADeviceSitsAtItsEndOfTheBranch) {
    const auto at = [](std::string row, const std::string& word) { return row.insert(row.size() - 1, "," + word); };
    const std::string header = kHeader.substr(0, kHeader.size() - 1) + ",device_at\n";
    // clang-format off
    const struct {
        const char* word;
        bool tie;            // the device of the tie SUB-A to SUB-B, else of the transformer U to SUB-A
        const char* beside;  // the bus it sits next to
    } kCases[] = {
        {"",     false, "SUB-A"}, {"bus", false, "SUB-A"}, {"from", false, "U"},
        {"",     true,  "SUB-B"}, {"from", true, "SUB-A"},
    };
    // clang-format on
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.word) + (c.tie ? " tie" : " transformer"));
        const std::string tx = c.tie ? "" : c.word, tie = c.tie ? c.word : "";
        const std::string study = header + at(Source("U"), "") + at(Transformer("SUB-A", "U", ",trip-unit,,"), tx) +
                                  at(Transformer("SUB-B", "U"), "") + at(Cable("SUB-B", "SUB-A", ",trip-unit,,"), tie);
        const Diagram d = StudyDiagram(Parse(study));
        const Layout l = LayOut(d);
        const std::size_t e = c.tie ? 3 : 1;
        ASSERT_EQ(d.elements.size(), 4u);
        ASSERT_EQ(l.elements[e].tie, c.tie);
        ASSERT_TRUE(l.elements[e].device.has_value());
        const Point device = *l.elements[e].device;
        // On one of its links, kDeviceOffset from the bar of the bus beside it and of no other.
        EXPECT_TRUE(std::any_of(l.elements[e].links.begin(), l.elements[e].links.end(), [&](const auto& line) {
            for (std::size_t k = 1; k < line.size(); ++k) {
                if (Within(device.x, line[k - 1].x, line[k].x) && Within(device.y, line[k - 1].y, line[k].y))
                    return true;
            }
            return false;
        }));
        for (std::size_t b = 0; b < l.buses.size(); ++b) {
            const PlacedBus& bar = l.buses[b];
            const bool beside =
                Within(device.x, bar.x0, bar.x1) && std::abs(std::abs(device.y - bar.y) - kDeviceOffset) < 1e-9;
            EXPECT_EQ(beside, d.buses[b].name == c.beside) << d.buses[b].name;
        }
    }
}

TEST(OneLineLayout, TheSameStudyGivesTheSamePlaces) {
    for (const std::string& study : {PlantStudy(), GeneratedTree(300), kNetworks[5].study}) {
        const Layout a = LayOut(StudyDiagram(Parse(study)));
        const Layout b = LayOut(StudyDiagram(Parse(study)));
        ASSERT_EQ(a.buses.size(), b.buses.size());
        ASSERT_EQ(a.elements.size(), b.elements.size());
        EXPECT_EQ(a.width, b.width);
        EXPECT_EQ(a.height, b.height);
        for (std::size_t i = 0; i < a.buses.size(); ++i) {
            EXPECT_TRUE(a.buses[i].x0 == b.buses[i].x0 && a.buses[i].x1 == b.buses[i].x1 &&
                        a.buses[i].y == b.buses[i].y && a.buses[i].note == b.buses[i].note);
        }
        for (std::size_t i = 0; i < a.elements.size(); ++i) {
            EXPECT_EQ(a.elements[i].links, b.elements[i].links);
            EXPECT_EQ(a.elements[i].symbol, b.elements[i].symbol);
        }
    }
}

TEST(OneLineLayout, AClickFindsTheBusOrElementUnderIt) {
    const Diagram d = StudyDiagram(Parse(kNetworks[0].study));
    const Layout l = LayOut(d);
    for (std::size_t b = 0; b < l.buses.size(); ++b) {
        const PlacedBus& p = l.buses[b];
        EXPECT_EQ(BusAt(l, {(p.x0 + p.x1) / 2, p.y + 3}), b);  // within the slack of the bar
        EXPECT_EQ(BusAt(l, {p.note.x + 2, p.note.y + p.note.h - 2}), b);
    }
    EXPECT_EQ(BusAt(l, {1, 1}), std::nullopt);
    // An element under its symbol and its text (the study window's hover).
    for (std::size_t e = 0; e < l.elements.size(); ++e) {
        const PlacedElement& p = l.elements[e];
        EXPECT_EQ(ElementAt(l, {p.symbol.x + kSymbolRadius - 1, p.symbol.y}), e);
        EXPECT_EQ(ElementAt(l, {p.text.x + 1, p.text.y + p.text.h / 2}), e);
    }
    EXPECT_EQ(ElementAt(l, {1, 1}), std::nullopt);
}

// The plant example's buses against its results file (the batch program's
// output): each bus's note gives the largest governing energy and PPE level
// of its points, and the currents of the scenario drawn (normal) where the
// worst scenario of its points is that one.
TEST(OneLineDiagram, ThePlantsBusesCarryTheirPointsResults) {
    const StudyFile file = Parse(PlantStudy());
    const Diagram d = StudyDiagram(file);
    EXPECT_EQ(d.scenario, "normal");
    ASSERT_EQ(d.buses.size(), 32u);
    const std::vector<study_test::CsvRow> out =
        study_test::CsvRows(study_test::FileBytes(ZENTAVO_EXAMPLES_DIR "/plant-network-results.csv"));
    ASSERT_EQ(out.size(), file.RowCount());
    std::map<std::string, const study_test::CsvRow*> worst;
    std::set<std::string> otherScenario;
    for (const auto& row : out) {
        const std::string& bus = row.at("bus");
        if (row.at("scenario_worst") != "normal") otherScenario.insert(bus);
        if (row.at("status") == "error") continue;
        if (!worst[bus] || ParseNumber(row.at("incident_energy_governing")) >
                               ParseNumber(worst[bus]->at("incident_energy_governing")))
            worst[bus] = &row;
    }
    for (const DiagramBus& bus : d.buses) {
        SCOPED_TRACE(bus.name);
        const auto note = BusNote(bus, UnitSettings{}, '.');
        EXPECT_EQ(note[0], bus.name);
        EXPECT_EQ(note[1], bus.kV >= 1 ? "13.8 kV" : bus.kV > 0.4 ? "480 V" : "208 V");
        const study_test::CsvRow& w = *worst.at(bus.name);
        EXPECT_EQ(note[4], w.at("incident_energy_governing") + " cal/cm2, PPE " + w.at("ppe_level_governing"));
        if (!otherScenario.count(bus.name)) {
            EXPECT_EQ(note[2], "I max " + w.at("bolted_current_max") + " kA");
            EXPECT_EQ(note[3], "I min " + w.at("bolted_current_min") + " kA");
        }
    }
    // Its elements: a branch per row that has one, a motor per motor row;
    // the tie open in the scenario normal, closed in tie-closed; the devices
    // by their rows' device_type.
    std::map<std::pair<ElementKind, DeviceMark>, int> kinds;
    for (const DiagramElement& e : d.elements) ++kinds[{e.kind, e.device}];
    // clang-format off
    const std::map<std::pair<ElementKind, DeviceMark>, int> expected = {
        {{ElementKind::Source, DeviceMark::None}, 1},      {{ElementKind::Cable, DeviceMark::Relay}, 4},
        {{ElementKind::Cable, DeviceMark::None}, 2},       {{ElementKind::Transformer, DeviceMark::Breaker}, 2},
        {{ElementKind::Cable, DeviceMark::Breaker}, 9},    {{ElementKind::Cable, DeviceMark::Fuse}, 12},
        {{ElementKind::Transformer, DeviceMark::None}, 4}, {{ElementKind::Motor, DeviceMark::None}, 9},
    };
    // clang-format on
    EXPECT_EQ(kinds, expected);
    ASSERT_EQ(file.ScenarioNames().size(), 3u);  // normal, maint, tie-closed
    for (std::size_t scenario = 0; scenario < 3; ++scenario) {
        const Diagram s = StudyDiagram(file, scenario);
        EXPECT_EQ(s.scenario, file.ScenarioNames()[scenario]);
        for (const DiagramElement& e : s.elements) {
            const bool tie = file.Input(e.row, kScenariosColumn) == "tie-closed";
            EXPECT_EQ(e.state, tie && s.scenario != "tie-closed" ? ElementState::Open : ElementState::Closed) << e.row;
        }
    }
    EXPECT_TRUE(StudyDiagram(file, 3).buses.empty());
}

// What the plant's elements say beside their symbols: the device's row and
// rating, a cable's length and sets, a transformer's kVA and impedance, a
// motor's kVA; a fuse given as a curve of points has no name to show.
TEST(OneLineDiagram, ElementsSayWhatTheyAre) {
    const StudyFile file = Parse(PlantStudy());
    const Diagram d = StudyDiagram(file);
    // clang-format off
    const struct {
        const char* point;
        ElementKind kind;
        std::vector<std::string> lines;
    } kCases[] = {
        {"Unit substation A 480 V main", ElementKind::Transformer,
            {"Unit substation A 480 V main", "trip 3000 A", "2500 kVA", "Z 5.75 %"}},
        {"MV switchgear SWG-1 main", ElementKind::Cable, {"MV switchgear SWG-1 main", "relay 1200 A", "30 m", "2 sets"}},
        {"Lighting panel LP-A1 208 V", ElementKind::Transformer, {"75 kVA", "Z 4.5 %"}},
        {"Panel PNL-A1a", ElementKind::Cable, {"Panel PNL-A1a", "25 m"}},
        {"MCC-A1 main bucket", ElementKind::Motor, {"250 kVA"}},
        {"MV feeder F1 second circuit", ElementKind::Cable, {"180 m"}},
    };
    // clang-format on
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.point);
        const auto e = std::find_if(d.elements.begin(), d.elements.end(), [&](const DiagramElement& x) {
            return x.kind == c.kind && file.Point(x.row) == c.point;
        });
        ASSERT_NE(e, d.elements.end());
        EXPECT_EQ(ElementLines(*e, '.'), c.lines);
        EXPECT_LE(c.lines.size(), kTextLines);
    }
    // The decimal separator of the study.
    const auto tx = std::find_if(d.elements.begin(), d.elements.end(),
                                 [&](const DiagramElement& x) { return x.zPercent.has_value(); });
    ASSERT_NE(tx, d.elements.end());
    EXPECT_EQ(ElementLines(*tx, ',').back(), "Z 5,75 %");
}

}  // namespace
}  // namespace zentavo::oneline
