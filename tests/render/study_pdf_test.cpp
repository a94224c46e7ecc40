// SPDX-License-Identifier: GPL-3.0-or-later
// The labels and the report of a study, as PDF files read back with the
// poppler tools: one label per computed point equal to the single label of
// that point, the report's table, refused rows and pages, progress, cancel
// and the old file kept.
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <map>

#include "../poppler_tools.h"
#include "study/row.h"
#include "engine/breaker.h"
#include "engine/catalog.h"
#include "engine/empirical.h"
#include "engine/fuse_equations.h"
#include "engine/shared_state.h"
#include "render/study_pdf.h"
#include "engine/number.h"

using namespace zentavo;
using namespace zentavo::render;

namespace {

// A point of a study by its input columns.
struct Point {
    std::string name;
    std::map<StudyInputColumn, std::string> in;
};

// Points of every method and case: the reduced case governing, the full one
// governing, the theoretically derived model, pressure and TNT "N/A" for a
// short arc, fuses, breakers, and refused points.
std::vector<Point> Points(char sep = '.') {
    auto n = [sep](std::string t) {
        if (sep == ',') std::replace(t.begin(), t.end(), '.', ',');
        return t;
    };
    auto empirical = [&](std::string name, std::string v, std::string ibf, std::string gap,
                         std::string gapUnit, std::string wd, std::string wdUnit, std::string cls,
                         std::string ground, std::string t1, std::string t2) {
        return Point{name,
                     {{kMethodColumn, "empirical"}, {kVoltageColumn, n(v)}, {kBoltedCurrentColumn, n(ibf)},
                      {kGapColumn, n(gap)}, {kGapUnitColumn, gapUnit}, {kWorkDistanceColumn, n(wd)},
                      {kWorkDistanceUnitColumn, wdUnit}, {kEquipmentClassColumn, cls},
                      {kGroundingColumn, ground}, {kArcTimeColumn, n(t1)}, {kArcTimeReducedColumn, n(t2)}}};
    };
    return {
        empirical("MCC-1 bucket 3", "480", "20", "32", "mm", "455", "mm", "Switchgear", "Grounded", "0.2", "0.25"),
        empirical("Switchboard SB-2 main", "480", "30", "25", "mm", "18", "inches", "MCC and Panels",
                  "Ungrounded", "0.1", "0.5"),
        empirical("MV switchgear 13.8 kV", "13800", "20", "152", "mm", "910", "mm", "Switchgear", "Grounded",
                  "0.3", "0.35"),
        empirical("MV switchgear 20 kV", "20000", "10", "153", "mm", "910", "mm", "Switchgear", "Grounded",
                  "0.5", ""),
        empirical("Cable tray T-7", "4160", "8", "1", "inches", "36", "inches", "Cable", "Ungrounded", "2", "2"),
        empirical("Open air bus", "600", "50", "40", "mm", "600", "mm", "Open air", "Grounded", "0.005", "0.008"),
        empirical("Pump P-101 disconnect", "480", "5", "25", "mm", "455", "mm", "", "Grounded", "0.1", "0.1"),
        empirical("Panel LP-9 (bad voltage)", "48O", "5", "25", "mm", "455", "mm", "Switchgear", "Grounded",
                  "0.1", "0.1"),
        {"Fuse switch FS-1",
         {{kMethodColumn, "fuse"}, {kBoltedCurrentColumn, "1"}, {kWorkDistanceColumn, "455"},
          {kFuseClassColumn, "Class RK1 Fuse, 0 A to 100 A"}, {kVoltageColumn, "480"}}},
        {"Fused main FM-1",
         {{kMethodColumn, "fuse"}, {kBoltedCurrentColumn, n("44.1")}, {kWorkDistanceColumn, "24"},
          {kWorkDistanceUnitColumn, "inches"}, {kFuseClassColumn, "Class L Fuse, 1201 A to 1600 A"}}},
        {"MCCB feeder F-12",
         {{kMethodColumn, "breaker"}, {kVoltageColumn, "480"}, {kBoltedCurrentColumn, "20"},
          {kWorkDistanceColumn, "460"}, {kBreakerTypeColumn, "MCCB-100-400"},
          {kInterruptingRatingColumn, "25"}, {kInstantaneousTripColumn, "2"}}},
        {"LVPCB main M-1",
         {{kMethodColumn, "breaker"}, {kVoltageColumn, "600"}, {kBoltedCurrentColumn, "65"},
          {kWorkDistanceColumn, "610"}, {kBreakerTypeColumn, "LVPCB-800-6300-LS"},
          {kInterruptingRatingColumn, "85"}, {kInstantaneousTripColumn, "10"}}},
        {"Breaker B-3 (trip too high)",
         {{kMethodColumn, "breaker"}, {kVoltageColumn, "480"}, {kBoltedCurrentColumn, "20"},
          {kWorkDistanceColumn, "460"}, {kBreakerTypeColumn, "0"}, {kInterruptingRatingColumn, "25"},
          {kInstantaneousTripColumn, "20"}}},
    };
}

// A study held in memory, computed row by row as the study window holds it.
struct Study {
    std::vector<Point> points;
    std::vector<StudyRowResults> results;
    std::vector<PointResult> values;

    Study(std::vector<Point> p, const StudyOptions& options) : points(std::move(p)) {
        for (const Point& point : points) {
            results.emplace_back();
            values.push_back(ComputeStudyRow(Inputs(point), options, results.back()));
        }
    }
    static StudyRowInputs Inputs(const Point& p) {
        StudyRowInputs in{};
        for (const auto& [c, text] : p.in) in[c] = text;
        return in;
    }
    StudyPointView operator()(std::size_t i) const {
        return {points.at(i).name, Inputs(points.at(i)), &values.at(i)};
    }
    StudyPointAt At() const {
        return [this](std::size_t i) { return (*this)(i); };
    }
    std::size_t Computed() const {
        return static_cast<std::size_t>(
            std::count_if(results.begin(), results.end(), [](const StudyRowResults& r) { return HasStudyResults(r); }));
    }
};

// The single label of a point as the program makes it: the calculation in
// the shared state, the results window's texts, its label inputs.
LabelSheet SingleLabel(const Point& p, const LabelSettings& settings, LabelDate date,
                       UnitSettings units, char sep) {
    const StudyRowInputs in = Study::Inputs(p);
    auto caption = [](std::string_view u) { return StudyLengthUnit(u).value(); };
    units.WorkDistUnit = caption(in[kWorkDistanceUnitColumn]);
    SharedState s = StartState();
    LabelContentInputs li;
    li.boltedCurrent = std::string(in[kBoltedCurrentColumn]);
    li.voltage = std::string(in[kVoltageColumn]);
    const std::string_view method = in[kMethodColumn];
    if (method == "empirical") {
        EmpiricalFields f;
        f.voltage = in[kVoltageColumn];
        f.boltedCurrent = in[kBoltedCurrentColumn];
        f.gap = in[kGapColumn];
        f.workDist = in[kWorkDistanceColumn];
        f.gapUnit = caption(in[kGapUnitColumn]);
        f.workDistUnit = units.WorkDistUnit;
        f.equipmentClass = static_cast<int>(
            std::find(kEquipmentClasses.begin(), kEquipmentClasses.end(), in[kEquipmentClassColumn]) -
            kEquipmentClasses.begin());
        f.grounding = in[kGroundingColumn] == "Grounded" ? 1 : 0;
        const ArcCurrentOutcome first = RunEmpiricalArcCurrent(s, f, sep);
        s.ReducedCaseOff = !first.reducedCaseOffered;
        const EmpiricalOutcome out =
            RunEmpiricalResults(s, {in[kArcTimeColumn], in[kArcTimeReducedColumn]}, units, sep);
        const EmpiricalResultTexts& t = out.texts;
        li.method = kEmpiricalMethod;
        li.equipmentClass = std::string(in[kEquipmentClassColumn]);
        li.grounding = f.grounding == 0 ? "ungrounded" : "Grounded";
        li.energy = t.full.energy, li.energyReduced = t.reduced.energy;
        li.boundary = t.full.boundary, li.boundaryReduced = t.reduced.boundary;
        li.ppe = t.full.ppeLevel, li.ppeReduced = t.reduced.ppeLevel;
        li.limited = t.approach.limited, li.restricted = t.approach.restricted;
        li.prohibited = t.approach.prohibited;
        li.pressure = t.full.pressure, li.pressureReduced = t.reduced.pressure;
        li.tnt = t.full.tnt, li.tntReduced = t.reduced.tnt;
        li.reducedGoverns = t.reducedGoverns;  // as the results window hands it on
    } else {
        SingleCaseResultTexts t;
        const LengthUnit wdCaption = units.WorkDistUnit;
        if (method == "fuse") {
            FuseFields f;
            f.boltedCurrent = in[kBoltedCurrentColumn];
            f.workDist = in[kWorkDistanceColumn];
            f.workDistUnit = wdCaption;
            f.fuseClass = static_cast<int>(
                std::find(kFuseClasses.begin(), kFuseClasses.end(), in[kFuseClassColumn]) - kFuseClasses.begin());
            t = RunFuse(s, f, units, sep).texts;
            li.pressure = t.result.pressure;
        } else {
            BreakerFields f;
            f.voltage = in[kVoltageColumn];
            f.boltedCurrent = in[kBoltedCurrentColumn];
            f.workDist = in[kWorkDistanceColumn];
            f.workDistUnit = wdCaption;
            f.interruptingRating = in[kInterruptingRatingColumn];
            f.instantaneousTrip = in[kInstantaneousTripColumn];
            f.breakerType = 0;
            for (std::size_t k = 0; k < kBreakerTypes.size(); ++k) {
                if (kBreakerTypes[k].substr(0, kBreakerTypes[k].find('\t')) == in[kBreakerTypeColumn]) {
                    f.breakerType = static_cast<int>(k);
                }
            }
            t = RunBreaker(s, f, units, sep).texts;
        }
        li.method = method == "fuse" ? kFuseMethod : kBreakerMethod;
        li.equipmentClass = std::string(kEquipmentClasses[method == "fuse" ? kFuseTabClass : kBreakerTabClass]);
        li.grounding = "Grounded";
        li.energy = t.result.energy, li.boundary = t.result.boundary, li.ppe = t.result.ppeLevel;
        li.limited = t.approach.limited, li.restricted = t.approach.restricted;
        li.prohibited = t.approach.prohibited;
    }
    li.units = units;
    li.incidentEnergy = s.IncidentEnergy, li.incidentEnergyReduced = s.IncidentEnergyReduced;
    li.ppeIndex = s.PpeIndex, li.ppeIndexReduced = s.PpeIndexReduced;
    li.arcPressure = s.ArcPressure, li.arcPressureReduced = s.ArcPressureReduced;
    li.tntEquivalent = s.TntEquivalent, li.tntEquivalentReduced = s.TntEquivalentReduced;
    li.voltageV = s.Voltage, li.gapMm = s.Gap;
    li.workDist = LabelWorkDistText(s.WorkDist, units.BoundaryUnit, sep);
    LabelUserTexts user;
    user.equipmentName = p.name;
    return ComposeLabel(settings, date, li, user);
}

LabelSettings AllRows(int language, bool colour) {
    LabelSettings s = DefaultLabelSettings();
    s.LabelLanguage = language;
    s.LabelInColor = colour;
    for (std::size_t k = kEntryEquipmentType; k <= kEntryClothing; ++k) s.ContentItems[k].Checked = true;
    s.ContentItems[kEntryDate].Checked = true;
    s.LabelLineCount = CountLabelLines(s.ContentItems);
    return s;
}

QString Path(const QTemporaryDir& dir, const char* name) { return dir.filePath(QString::fromLatin1(name)); }

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int PageCount(const QString& path) {
    const QString info = RunPdfTool("pdfinfo", {path});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString PageSize(const QString& path) {
    const QString info = RunPdfTool("pdfinfo", {path});
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+ x [\\d.]+) pts")).match(info);
    return m.captured(1);
}

// The text of one page in the order it was written.
QString PageText(const QString& path, int page) {
    return RunPdfTool("pdftotext", {"-raw", "-f", QString::number(page), "-l", QString::number(page), path, "-"});
}

// The text of a PDF with its lines joined by blanks, runs of blanks made one.
QString Flat(QString text) { return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")); }

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The words of one page with the top of each, as pdftotext places them.
std::vector<std::pair<QString, double>> PageWords(const QString& path, int page) {
    const QString html = RunPdfTool("pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page), path, "-"});
    std::vector<std::pair<QString, double>> words;
    static const QRegularExpression word(QStringLiteral("<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.emplace_back(m.captured(2), m.captured(1).toDouble());
    }
    return words;
}

// The tops of the words `wanted` where they stand in a row on the page; empty when they do not.
std::vector<double> TopsOf(const std::vector<std::pair<QString, double>>& words, const QStringList& wanted) {
    for (std::size_t i = 0; i + wanted.size() <= words.size(); ++i) {
        std::vector<double> tops;
        for (qsizetype k = 0; k < wanted.size() && words[i + k].first == wanted[k]; ++k) tops.push_back(words[i + k].second);
        if (tops.size() == static_cast<std::size_t>(wanted.size())) return tops;
    }
    return {};
}

}  // namespace

class StudyPdfTest : public QObject {
    Q_OBJECT

private slots:
    // Every computed point's study label equals its single label, slot by
    // slot, in every language, with all rows on, in two unit sets and both
    // decimal separators.
    void StudyLabelEqualsTheSingleLabel() {
        const LabelDate date{8, 12, 2026};
        UnitSettings metric;
        metric.EnergyUnit = IncidentEnergyUnit::JoulesPerCm2;
        metric.BoundaryUnit = LengthUnit::Millimetres;
        metric.PressureUnit = BlastPressureUnit::Kilopascals;
        metric.TntUnit = TntMassUnit::Grams;
        int compared = 0;
        for (char sep : {'.', ','}) {
            for (const UnitSettings& units : {UnitSettings{}, metric}) {
                StudyOptions options;
                options.units = units;
                options.sep = sep;
                const Study study(Points(sep), options);
                for (int language : {kEnglish, kSpanish, kFrench}) {
                    StudyLabelOptions o;
                    o.settings = AllRows(language, language != kFrench);
                    o.date = date;
                    o.units = units;
                    o.sep = sep;
                    for (std::size_t i = 0; i < study.points.size(); ++i) {
                        if (!HasStudyResults(study.results[i])) continue;
                        const LabelSheet got = StudyLabel(study(i), o);
                        const LabelSheet want = SingleLabel(study.points[i], o.settings, date, units, sep);
                        const QByteArray where =
                            QByteArray::fromStdString(study.points[i].name + " lang " + std::to_string(language));
                        QCOMPARE(got.picture, want.picture);
                        QCOMPARE(got.byName.size(), want.byName.size());
                        for (const auto& [slot, w] : want.byName) {
                            const LabelSlot& g = got.at(slot);
                            const QByteArray at = where + " " + QByteArray::fromStdString(slot);
                            QVERIFY2(g.text == w.text, at + ": " + QByteArray::fromStdString(g.text) + " vs " +
                                                           QByteArray::fromStdString(w.text));
                            QVERIFY2(g.place.visible == w.place.visible && g.place.top == w.place.top &&
                                         g.place.left == w.place.left && g.place.fontPt == w.place.fontPt &&
                                         g.place.bold == w.place.bold && g.place.red == w.place.red,
                                     at);
                        }
                        ++compared;
                    }
                }
            }
        }
        QCOMPARE(compared, 2 * 2 * 3 * 10);  // ten computed points of the thirteen
    }

    // A row of the 2018 model: the governing case alone, no grounding, no
    // pressure or TNT, as the 2018 window's label.
    void Row2018ShowsTheGoverningCase() {
        for (const char* governing : {"full", "reduced"}) {
            // 5.12 and 9.87 cal/cm2, 40 and 61 inches.
            PointResult r;
            r.status = PointStatus::Computed;
            r.method = kIeee2018Method;
            r.equations = Equations::Ieee2018;
            r.reducedGoverns = std::string_view(governing) == "reduced";
            r.full.energy = 5.12 / kCalPerJoule, r.full.boundary = 40 * kMmPerInch, r.full.ppeIndex = 2;
            r.reduced.emplace();
            r.reduced->energy = 9.87 / kCalPerJoule, r.reduced->boundary = 61 * kMmPerInch, r.reduced->ppeIndex = 3;
            r.approach = {42.0, 12.0, 1.0};
            r.voltage = 480;
            StudyRowInputs in{};
            in[kMethodColumn] = "ieee1584-2018";
            in[kVoltageColumn] = "480";
            in[kBoltedCurrentColumn] = "25";
            in[kWorkDistanceColumn] = "455";
            in[kEquipmentClassColumn] = "Switchgear";
            StudyLabelOptions o;
            o.settings = AllRows(kEnglish, true);
            const LabelSheet sheet = StudyLabel({"Switchgear SWG-2018", in, &r}, o);
            const bool reduced = std::string_view(governing) == "reduced";
            QCOMPARE(sheet.at("Label15").text, std::string(reduced ? "9.87 cal/cm2" : "5.12 cal/cm2"));
            QCOMPARE(sheet.at("Label14").text, std::string(reduced ? "61 inches" : "40 inches"));
            QCOMPARE(sheet.at("Label16").text, std::string(reduced ? "3" : "2"));
            QCOMPARE(sheet.at("Label11").text, std::string("N/A"));
            QCOMPARE(sheet.at("Label8").text, std::string("Arc flash hazard analysis after IEEE 1584-2018"));
            QCOMPARE(sheet.at("Label33").text, std::string("N/A"));
            QCOMPARE(sheet.at("Label34").text, std::string("N/A"));
            QCOMPARE(sheet.at("Label18").text, std::string("Switchgear SWG-2018"));
        }
    }

    // One 6 x 4 in page per computed point, in study order, each with its
    // name and incident energy; refused points have none.
    void LabelsPdfHasOnePagePerComputedPoint() {
        QTemporaryDir dir;
        StudyOptions options;
        options.units.EnergyUnit = IncidentEnergyUnit::JoulesPerCm2;
        const Study study(Points(), options);
        StudyLabelOptions o;
        o.units = options.units;
        std::vector<std::size_t> progress;
        const QString path = Path(dir, "labels.pdf");
        const auto r = SaveStudyLabelsPdf(path, study.points.size(), study.At(), o,
                                          [&](std::size_t done, std::size_t total) {
                                              if (total != study.points.size()) return false;
                                              progress.push_back(done);
                                              return true;
                                          },
                                          nullptr);
        QCOMPARE(r.outcome, StudyExportResult::kWritten);
        QCOMPARE(r.pages, static_cast<int>(study.Computed()));
        QCOMPARE(PageCount(path), static_cast<int>(study.Computed()));
        QCOMPARE(PageSize(path), QStringLiteral("432 x 288"));
        QCOMPARE(progress.size(), study.points.size());
        for (std::size_t k = 0; k < progress.size(); ++k) QCOMPARE(progress[k], k + 1);
        int page = 0;
        for (std::size_t i = 0; i < study.points.size(); ++i) {
            if (!HasStudyResults(study.results[i])) continue;
            const QString text = Flat(PageText(path, ++page));
            QVERIFY2(text.contains(Q(study.points[i].name)), qPrintable(text));
            const StudyRowResults& res = study.results[i];
            const std::string& energy =
                res[kGoverningColumn] == "reduced" ? res[kIncidentEnergyReducedColumn] : res[kIncidentEnergyColumn];
            QVERIFY2(text.contains(Q(energy) + QStringLiteral(" J/cm2")), qPrintable(text));
        }
        QCOMPARE(page, 10);
    }

    // A name of more than 30 characters is cut on its labels and listed once,
    // however many points carry it; a name of exactly 30 is not.
    void LongNamesAreCutAndListedOnce() {
        QTemporaryDir dir;
        const std::string longName = "Main switchboard MSB-1 section B incomer";  // 40 characters
        const std::string thirty = "Motor control centre MCC-4 é 1";             // 30 characters, one of two bytes
        std::vector<Point> points = Points();
        std::vector<Point> study;
        for (const std::string& name : {longName, thirty, longName}) {
            study.push_back(points[0]);
            study.back().name = name;
        }
        study.push_back(points[6]);  // refused, with a long name: not labelled, not listed
        study.back().name = "Pump P-101 disconnect with a very long name";
        const Study s(study, StudyOptions{});
        CutNames cut;
        const QString path = Path(dir, "labels.pdf");
        const auto r = SaveStudyLabelsPdf(path, s.points.size(), s.At(), StudyLabelOptions{}, {}, &cut);
        QCOMPARE(r.outcome, StudyExportResult::kWritten);
        QCOMPARE(cut.listed, std::vector<std::string>{longName});
        QCOMPARE(cut.more, std::size_t{0});
        QCOMPARE(PageCount(path), 3);
        const QString first = Flat(PageText(path, 1));
        QVERIFY2(first.contains(QStringLiteral("Main switchboard MSB-1 section")), qPrintable(first));
        QVERIFY2(!first.contains(QStringLiteral("section B")), qPrintable(first));
        QVERIFY(Flat(PageText(path, 2)).contains(QString::fromUtf8(thirty.c_str())));
    }

    // An equipment name is one line: a line break or another control
    // character in it (a quoted study field may hold them) becomes a blank on
    // the label and in the report, so the name never runs over the values
    // below it.
    void NameIsOneLineOnLabelsAndInTheReport() {
        // clang-format off
        const struct { const char* what; std::string name; } cases[] = {
            {"LF",                  "Bus A\nSection 2"},
            {"CR LF",               "Bus A\r\nSection 2"},
            {"CR",                  "Bus A\rSection 2"},
            {"tab",                 "Bus A\tSection 2"},
            {"vertical tab",        "Bus A\vSection 2"},
            {"escape",              "Bus A\x1bSection 2"},
            {"delete",              "Bus A\x7fSection 2"},
            {"next line U+0085",    "Bus A\xC2\x85Section 2"},
            {"line separator",      "Bus A\xE2\x80\xA8Section 2"},
            {"paragraph separator", "Bus A\xE2\x80\xA9Section 2"},
        };
        // clang-format on
        const QStringList words = {"Bus", "A", "Section", "2"};
        QTemporaryDir dir;
        for (const auto& c : cases) {
            Point p = Points()[0];
            p.name = c.name;
            const Study study({p}, StudyOptions{});
            const LabelSheet sheet = StudyLabel(study(0), StudyLabelOptions{});
            QCOMPARE(sheet.at("Label18").text, std::string("Bus A Section 2"));
            const QString labels = Path(dir, "labels.pdf"), report = Path(dir, "report.pdf");
            QCOMPARE(SaveStudyLabelsPdf(labels, 1, study.At(), StudyLabelOptions{}, {}, nullptr).pages, 1);
            QCOMPARE(SaveStudyReportPdf(report, 1, study.At(), StudyReportOptions{}, {}).outcome,
                     StudyExportResult::kWritten);
            for (const QString& pdf : {labels, report}) {
                const std::vector<double> tops = TopsOf(PageWords(pdf, 1), words);
                QVERIFY2(tops.size() == 4, qPrintable(QString::fromLatin1(c.what) + ": the name's words in " + pdf));
                QVERIFY2(*std::max_element(tops.begin(), tops.end()) - *std::min_element(tops.begin(), tops.end()) < 0.5,
                         qPrintable(QString::fromLatin1(c.what) + ": the name takes more than one line in " + pdf));
            }
        }
    }

    // The PDFs of a long study are written as they are painted: while the
    // last points are painted the temporary file beside the target already
    // holds most of the PDF, so no page waits in memory however long the
    // study. The list of cut names keeps its first hundred and counts the rest.
    void LongStudyPdfsGoToTheirFileAsTheyArePainted() {
        QTemporaryDir dir;
        const Point base = Points()[0];
        std::vector<Point> points(1000, base);
        for (std::size_t i = 0; i < points.size(); ++i) {
            points[i].name = "Switchgear line-up " + std::to_string(i) + ", section B rear";  // over 30 characters
        }
        const Study study(points, StudyOptions{});
        // clang-format off
        const struct { const char* file; std::size_t lastCall; } cases[] = {
            {"labels.pdf", points.size()},
            {"report.pdf", 2 * points.size()},  // the second pass paints
        };
        // clang-format on
        for (const auto& c : cases) {
            const QString path = Path(dir, c.file);
            qint64 heldAtTheEnd = -1;
            const StudyProgress progress = [&](std::size_t done, std::size_t) {
                if (done == c.lastCall) {
                    const QStringList temporary =
                        QDir(dir.path()).entryList({QStringLiteral(".%1.*").arg(c.file)}, QDir::Files | QDir::Hidden);
                    heldAtTheEnd = temporary.size() == 1 ? QFileInfo(dir.filePath(temporary[0])).size() : -1;
                }
                return true;
            };
            CutNames cut;
            const StudyExportResult r =
                QByteArray(c.file) == "labels.pdf"
                    ? SaveStudyLabelsPdf(path, points.size(), study.At(), StudyLabelOptions{}, progress, &cut)
                    : SaveStudyReportPdf(path, points.size(), study.At(), StudyReportOptions{}, progress);
            QCOMPARE(r.outcome, StudyExportResult::kWritten);
            const qint64 size = QFileInfo(path).size();
            const QString held = QStringLiteral("%1: %2 of %3 bytes in the file before the last page")
                                     .arg(c.file)
                                     .arg(heldAtTheEnd)
                                     .arg(size);
            QVERIFY2(heldAtTheEnd >= size / 2, qPrintable(held));
            if (QByteArray(c.file) == "labels.pdf") {
                QCOMPARE(cut.listed.size(), kCutNamesListed);
                QCOMPARE(cut.listed.back(), points[kCutNamesListed - 1].name);
                QCOMPARE(cut.more, points.size() - kCutNamesListed);
            }
        }
    }

    // A cancel, at the first point or later, leaves no file, and an old file
    // of that name byte for byte; so does a failed export.
    void CancelLeavesNoFileAndTheOldOne() {
        QTemporaryDir dir;
        const Study study(Points(), StudyOptions{});
        const QByteArray old = "old labels, kept\n";
        for (std::size_t stopAt : {std::size_t{1}, std::size_t{5}, study.points.size()}) {
            for (bool withOld : {false, true}) {
                const QString labels = Path(dir, "labels.pdf"), report = Path(dir, "report.pdf");
                for (const QString& p : {labels, report}) {
                    QFile::remove(p);
                    if (withOld) {
                        QFile f(p);
                        QVERIFY(f.open(QIODevice::WriteOnly));
                        f.write(old);
                    }
                }
                std::size_t calls = 0;
                auto cancel = [&](std::size_t done, std::size_t) {
                    ++calls;
                    return done < stopAt;
                };
                const auto l = SaveStudyLabelsPdf(labels, study.points.size(), study.At(), StudyLabelOptions{},
                                                  cancel, nullptr);
                QCOMPARE(l.outcome, StudyExportResult::kCancelled);
                QCOMPARE(calls, stopAt);
                calls = 0;
                const auto r = SaveStudyReportPdf(report, study.points.size(), study.At(), StudyReportOptions{},
                                                  cancel);
                QCOMPARE(r.outcome, StudyExportResult::kCancelled);
                QCOMPARE(calls, stopAt);
                for (const QString& p : {labels, report}) {
                    QCOMPARE(QFile::exists(p), withOld);
                    if (withOld) QCOMPARE(ReadAll(p), old);
                }
                QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), withOld ? 2 : 0);
            }
        }
        // No directory to write into; a directory in the file's place.
        for (const QString& p : {dir.filePath("missing/labels.pdf"), dir.path()}) {
            const auto r = SaveStudyLabelsPdf(p, study.points.size(), study.At(), StudyLabelOptions{}, {}, nullptr);
            QCOMPARE(r.outcome, StudyExportResult::kFailed);
            QVERIFY(!r.error.isEmpty());
            const auto rr = SaveStudyReportPdf(p, study.points.size(), study.At(), StudyReportOptions{}, {});
            QCOMPARE(rr.outcome, StudyExportResult::kFailed);
        }
        QVERIFY(!QFile::exists(dir.filePath("missing")));
    }

    // A study without a computed point has no labels: no file is written.
    void NothingToLabelWritesNoFile() {
        QTemporaryDir dir;
        const std::vector<Point> all = Points();
        const Study study({all[6], all[7], all[12]}, StudyOptions{});
        QCOMPARE(study.Computed(), std::size_t{0});
        const QString path = Path(dir, "labels.pdf");
        const auto r = SaveStudyLabelsPdf(path, study.points.size(), study.At(), StudyLabelOptions{}, {}, nullptr);
        QCOMPARE(r.outcome, StudyExportResult::kNothingToWrite);
        QVERIFY(!QFile::exists(path));
    }

    // A point computed with a caution about its device's settings (status
    // "warning", results given) is labelled like any computed point, and the
    // report lists it with its caution apart from the refused points. D.2
    // under an IEC VI relay whose instantaneous pickup was typed as 0.05 A:
    // 0.083 s, 11.585 x 83 / 61.3 = 15.686 J/cm2 = 3.75 cal/cm2.
    void CautionRowIsLabelledAndListedWithItsCaution() {
        QTemporaryDir dir;
        const Point caution{"MCC-7 main (inst pickup typed in A)",
                            {{kMethodColumn, "ieee1584-2018"}, {kVoltageColumn, "480"}, {kBoltedCurrentColumn, "45"},
                             {kGapColumn, "32"}, {kElectrodeConfigurationColumn, "VCB"},
                             {kEnclosureHeightColumn, "610"}, {kEnclosureWidthColumn, "610"},
                             {kEnclosureDepthColumn, "254"}, {kWorkDistanceColumn, "609.6"},
                             {kDeviceTypeColumn, "relay"}, {kRelayCurveColumn, "IEC-VI"},
                             {kRelayPickupColumn, "400"}, {kRelayTimeDialColumn, "0.1"},
                             {kRelayInstPickupColumn, "0.05"}}};
        const Study study({caution, Points()[7]}, StudyOptions{});
        QCOMPARE(Q(study.results[0][kStatusColumn]), QStringLiteral("warning"));
        const QString labels = Path(dir, "labels.pdf"), report = Path(dir, "report.pdf");
        const auto r = SaveStudyLabelsPdf(labels, study.points.size(), study.At(), StudyLabelOptions{}, {}, nullptr);
        QCOMPARE(r.outcome, StudyExportResult::kWritten);
        QCOMPARE(PageCount(labels), 1);
        const QString label = Flat(PageText(labels, 1));
        QVERIFY2(label.contains(QStringLiteral("3.75 cal/cm2")), qPrintable(label));
        QCOMPARE(SaveStudyReportPdf(report, study.points.size(), study.At(), StudyReportOptions{}, {}).outcome,
                 StudyExportResult::kWritten);
        const QString text = Flat(RunPdfTool("pdftotext", {"-raw", report, "-"}));
        QVERIFY2(text.contains(QStringLiteral("2 points of work, 1 computed, 1 refused")), qPrintable(text));
        const qsizetype cautions = text.indexOf(QStringLiteral("Points computed with a caution"));
        const qsizetype refused = text.indexOf(QStringLiteral("Refused points"));
        QVERIFY2(cautions >= 0 && refused > cautions, qPrintable(text));
        const qsizetype message = text.indexOf(QStringLiteral("0.05 A is below the pickup (400 A)"), cautions);
        QVERIFY2(message > cautions && message < refused, qPrintable(text));
    }

    // A device at its branch's from bus sees that bus's current, at a
    // voltage the row does not give: the coordination picture leaves it out
    // and says so, rather than draw it at the row's voltage.
    // Given its from bus's voltage (13.8 kV), it is drawn at that voltage.
    void ADeviceAtItsFromBusIsLeftOutOfTheCoordinationPicture() {
        const auto relayAt = [](const char* name, const char* volts) {
            return Point{name,
                         {{kMethodColumn, "ieee1584-2018"}, {kVoltageColumn, volts}, {kBoltedCurrentColumn, "20"},
                          {kGapColumn, "32"}, {kElectrodeConfigurationColumn, "VCB"},
                          {kEnclosureHeightColumn, "610"}, {kEnclosureWidthColumn, "610"},
                          {kEnclosureDepthColumn, "254"}, {kWorkDistanceColumn, "609.6"},
                          {kDeviceTypeColumn, "relay"}, {kRelayCurveColumn, "IEC-VI"},
                          {kRelayPickupColumn, "400"}, {kRelayTimeDialColumn, "0.1"}}};
        };
        const Study study({relayAt("Feeder", "480"), relayAt("Primary", "600")}, StudyOptions{});
        struct Case {
            bool atFrom;
            double fromBusVolts;
            std::vector<double> volts;  // of the picture; the primary's last
        };
        const Case cases[] = {
            {false, 0, {480, 600}}, {true, 0, {480}}, {true, 13800, {480, 13800}}};
        for (const Case& c : cases) {
            std::vector<StudyPointView> views = {study(0), study(1)};
            if (c.atFrom) views[1].inputs[kDeviceAtColumn] = "from";
            views[1].fromBusVolts = c.fromBusVolts;
            QCOMPARE(StudyRowsVoltages(views), c.volts);
            const TimeCurrentPlot plot = StudyRowsTimeCurrent(views, '.');
            const bool left = c.volts.size() == 1;
            QCOMPARE(plot.others.size(), left ? std::size_t{1} : std::size_t{2});
            QCOMPARE(
                plot.legend.join(QLatin1Char(' '))
                    .contains(QStringLiteral("Primary: its device sits at its branch's from bus")),
                left);
            if (left) continue;
            // Drawn at 480 V: each point of its curve where the relay's time is at the drawn
            // current times 480 V over its own.
            const ProtectiveDevice& relay = *study(1).result->device;
            int checked = 0;
            for (const auto& piece : plot.others[1].curve) {
                for (const QPointF& p : piece) {
                    QCOMPARE(relay.TripAt(p.x() * 480 / c.volts.back()).seconds, p.y());
                    ++checked;
                }
            }
            QVERIFY(checked > 10);
        }
        // The report's views take the from bus's voltage from the network's summary.
        NetworkSummary network;
        network.buses.resize(1);
        network.buses[0].name = "HV";
        network.buses[0].kV = 13.8;
        network.busIndex["HV"] = 0;
        network.rows.resize(2);
        network.rows[1].drawing.fromBus = "HV";
        QCOMPARE(WithFromBusVolts(study(1), 1, &network).fromBusVolts, 13800.0);
        QCOMPARE(WithFromBusVolts(study(0), 0, &network).fromBusVolts, 0.0);  // naming no from bus
        QCOMPARE(WithFromBusVolts(study(1), 2, &network).fromBusVolts,
                 0.0);  // past the network's rows
        QCOMPARE(WithFromBusVolts(study(1), 1, nullptr).fromBusVolts, 0.0);
    }

    // A row's picture beside the devices of its steps: every current at
    // one voltage where the row's device's voltage and another's are known;
    // a device of a voltage not known is left out and said to be.
    void ARowsStepsDevicesAtOneVoltage() {
        const auto relayAt = [](const char* name, const char* volts) {
            return Point{name,
                         {{kMethodColumn, "ieee1584-2018"},
                          {kVoltageColumn, volts},
                          {kBoltedCurrentColumn, "20"},
                          {kGapColumn, "32"},
                          {kElectrodeConfigurationColumn, "VCB"},
                          {kEnclosureHeightColumn, "610"},
                          {kEnclosureWidthColumn, "610"},
                          {kEnclosureDepthColumn, "254"},
                          {kWorkDistanceColumn, "609.6"},
                          {kDeviceTypeColumn, "relay"},
                          {kRelayCurveColumn, "IEC-VI"},
                          {kRelayPickupColumn, "400"},
                          {kRelayTimeDialColumn, "0.1"}}};
        };
        const Study study({relayAt("Main", "480"), relayAt("Primary", "13800")}, StudyOptions{});
        const ProtectiveDevice* primary = study(1).result->device.get();
        struct Case {
            bool ownKnown;  // else: at its from bus, whose voltage is not given
            std::vector<std::optional<double>> others;  // the primary's voltage, once per entry
            std::optional<double> chosen;
            std::optional<double> reference;
            std::size_t drawn;
            QString said;  // in the legend
        };
        // clang-format off
        const Case cases[] = {
            {true,  {},        std::nullopt, std::nullopt, 0, {}},
            {true,  {13800.0}, std::nullopt, 480.0,        1, {}},
            {true,  {13800.0}, 13800.0,      13800.0,      1, {}},
            {true,  {13800.0}, 600.0,        480.0,        1, {}},  // not one of theirs: the lowest
            {true,  {std::nullopt}, std::nullopt, 480.0,   0, "Primary: its voltage is not known: not drawn here"},
            {false, {13800.0}, std::nullopt, std::nullopt, 0,
             "Primary: the voltage of this point's device is not known: not drawn here"},
        };
        // clang-format on
        for (const Case& c : cases) {
            StudyPointView row = study(0);
            if (!c.ownKnown) row.inputs[kDeviceAtColumn] = "from";
            std::vector<StepDeviceView> others;
            for (const std::optional<double>& v : c.others)
                others.push_back({primary, QStringLiteral("Primary"), v});
            const TimeCurrentPlot plot = StudyRowTimeCurrentAt(row, others, '.', c.chosen);
            QCOMPARE(plot.referenceVolts, c.reference);
            QCOMPARE(plot.currentTitle,
                     c.reference ? QStringLiteral("Current (A) at %1 V").arg(*c.reference)
                                 : QStringLiteral("Current (A)"));
            QCOMPARE(plot.others.size(), c.drawn);
            if (!c.said.isEmpty())
                QVERIFY2(plot.legend.contains(c.said), qPrintable(plot.legend.join('|')));
            // The row's own curve and marks at the reference: its currents times 480 V over it.
            const double own = c.reference ? 480 / *c.reference : 1;
            const PointResult& main = *study(0).result;
            QCOMPARE(plot.marks.front().amps, main.full.duration->deviceAmps * own);
            for (const auto& piece : plot.curve) {
                for (const QPointF& p : piece)
                    QCOMPARE(main.device->TripAt(p.x() / own).seconds, p.y());
            }
            if (c.drawn == 0) continue;
            const double other = 13800 / *c.reference;
            for (const auto& piece : plot.others[0].curve) {
                for (const QPointF& p : piece)
                    QCOMPARE(primary->TripAt(p.x() / other).seconds, p.y());
            }
        }
    }

    // A point not computed yet (no results) gets no label and stands in the
    // report's table and among the refused points.
    void PointWithoutResultsIsNotLabelled() {
        QTemporaryDir dir;
        const Study study(Points(), StudyOptions{});
        const StudyPointAt at = [&](std::size_t i) {
            StudyPointView v = study(i % study.points.size());
            if (i == study.points.size()) {
                v.name = "Not computed yet";
                v.result = nullptr;
            }
            return v;
        };
        const std::size_t count = study.points.size() + 1;
        const QString labels = Path(dir, "labels.pdf"), report = Path(dir, "report.pdf");
        QCOMPARE(SaveStudyLabelsPdf(labels, count, at, StudyLabelOptions{}, {}, nullptr).pages,
                 static_cast<int>(study.Computed()));
        QCOMPARE(SaveStudyReportPdf(report, count, at, StudyReportOptions{}, {}).outcome, StudyExportResult::kWritten);
        const QString text = Flat(RunPdfTool("pdftotext", {report, "-"}));
        QCOMPARE(text.count(QStringLiteral("Not computed yet")), 2);
        QVERIFY(text.contains(QStringLiteral("14 points of work, 10 computed, 4 refused")));
    }

    // The report: every point's row with its governing values, the refused
    // points with their messages, the method note; A4 or Letter, landscape.
    void ReportHoldsEveryPointAndTheRefusedRows() {
        QTemporaryDir dir;
        StudyOptions options;
        options.units.BoundaryUnit = LengthUnit::Millimetres;
        const Study study(Points(), options);
        for (QPageSize::PageSizeId size : {QPageSize::A4, QPageSize::Letter}) {
            StudyReportOptions o;
            o.title = QStringLiteral("Arc flash study of Plant 7");
            o.dateText = QStringLiteral("8 December 2026");
            o.pageSize = size;
            o.units = options.units;
            const QString path = Path(dir, "report.pdf");
            const auto r = SaveStudyReportPdf(path, study.points.size(), study.At(), o, {});
            QCOMPARE(r.outcome, StudyExportResult::kWritten);
            QCOMPARE(PageSize(path), size == QPageSize::A4 ? QStringLiteral("842 x 595") : QStringLiteral("792 x 612"));
            // The text in the order it was written: each row's cells one after the other.
            const QString text = Flat(RunPdfTool("pdftotext", {"-raw", path, "-"}));
            QVERIFY(text.contains(o.title));
            QVERIFY(text.contains(o.dateText));
            QVERIFY(text.contains(QStringLiteral("Arc flash boundary (mm)")));
            QVERIFY(text.contains(QStringLiteral("Incident energy (cal/cm2)")));
            QVERIFY(text.contains(QStringLiteral("Methods and their ranges")));
            QVERIFY(text.contains(QStringLiteral("13 points of work, 10 computed, 3 refused")));
            // Each computed row with its governing case's energy, boundary, PPE level and case.
            for (std::size_t i = 0; i < study.points.size(); ++i) {
                const StudyRowResults& res = study.results[i];
                const QString name = Q(study.points[i].name);
                QVERIFY2(text.contains(name), qPrintable(name));
                if (HasStudyResults(res)) {
                    const bool reduced = res[kGoverningColumn] == "reduced";
                    const QString want = QStringList{Q(res[reduced ? kIncidentEnergyReducedColumn : kIncidentEnergyColumn]),
                                                     Q(res[reduced ? kFlashBoundaryReducedColumn : kFlashBoundaryColumn]),
                                                     Q(res[reduced ? kPpeLevelReducedColumn : kPpeLevelColumn]),
                                                     Q(res[kGoverningColumn])}
                                             .join(QLatin1Char(' '));
                    QVERIFY2(text.contains(want), qPrintable(name + ": " + want));
                } else {
                    QVERIFY2(text.contains(Flat(Q(res[kMessageColumn])).trimmed()), qPrintable(Q(res[kMessageColumn])));
                }
            }
        }
    }

    // A long study runs over many pages: each carries the title block (the
    // title, the project, client and author lines given, the date, "Page n
    // of m") and the table heading, and every point stands on one of them
    // once. Lines not given are not printed.
    void ReportPagesRepeatTheTitleBlockAndTheHeading() {
        QTemporaryDir dir;
        const std::vector<Point> base = Points();
        std::vector<Point> points;
        for (int i = 0; i < 150; ++i) {
            points.push_back(base[static_cast<std::size_t>(i) % base.size()]);
            points.back().name = "Point " + std::to_string(i + 1) + " of many";
        }
        const Study study(points, StudyOptions{});
        StudyReportOptions o;
        o.title = QStringLiteral("North plant");
        o.dateText = QStringLiteral("8 December 2026");
        o.project = QStringLiteral("Substation 4 upgrade");
        o.client = QStringLiteral("ACME Metals");
        o.author = QStringLiteral("J. Smith, P.E.");
        const QString path = Path(dir, "report.pdf");
        const auto r = SaveStudyReportPdf(path, study.points.size(), study.At(), o, {});
        QCOMPARE(r.outcome, StudyExportResult::kWritten);
        const int pages = PageCount(path);
        QCOMPARE(r.pages, pages);
        QVERIFY(pages >= 4);
        int rows = 0;
        for (int page = 1; page <= pages; ++page) {
            const QString text = Flat(PageText(path, page));
            for (const QString& part : {QStringLiteral("North plant"), QStringLiteral("8 December 2026"),
                                        QStringLiteral("Page %1 of %2").arg(page).arg(pages),
                                        QStringLiteral("Project: Substation 4 upgrade"),
                                        QStringLiteral("Client: ACME Metals"), QStringLiteral("Prepared by: J. Smith, P.E.")}) {
                QVERIFY2(text.contains(part), qPrintable(part + " on page " + QString::number(page)));
            }
            if (text.contains(QStringLiteral(" of many"))) {
                QVERIFY2(text.contains(QStringLiteral(
                             "Point Method Equipment class or electrodes Voltage (V)")) ||
                             text.contains(QStringLiteral("Point Method Status Message")) ||
                             text.contains(QStringLiteral("Point Bolted current from")) ||
                             text.contains(QStringLiteral("Point Label standard")),
                         qPrintable(text));
            }
            rows += static_cast<int>(text.count(QRegularExpression(QStringLiteral("Point \\d+ of many"))));
        }
        // Each point once in the table, the refused ones once more below it,
        // the computed ones in the data's table and the label schedule, those
        // whose governing energy is above 40 cal/cm² in their list.
        const int refused = static_cast<int>(study.points.size() - study.Computed());
        const int above40 = static_cast<int>(
            std::count_if(study.results.begin(), study.results.end(), [](const auto& r) {
                return HasStudyResults(r) &&
                       std::max(Q(r[kIncidentEnergyColumn]).toDouble(),
                                Q(r[kIncidentEnergyReducedColumn]).toDouble()) > 40;
            }));
        QVERIFY(above40 > 0);
        QCOMPARE(rows, 150 + refused + 2 * static_cast<int>(study.Computed()) + above40);

        o.project.clear(), o.client = QStringLiteral("  "), o.author.clear();
        QCOMPARE(SaveStudyReportPdf(path, study.points.size(), study.At(), o, {}).outcome, StudyExportResult::kWritten);
        const QString text = Flat(RunPdfTool("pdftotext", {"-raw", path, "-"}));
        QVERIFY(text.contains(QStringLiteral("North plant")));
        for (const char* caption : {"Project:", "Client:", "Prepared by:"}) QVERIFY2(!text.contains(caption), caption);
    }

    // A row of the report: the point's inputs, then its governing case's
    // results, in the order a reader finds them (the values of D.1 are the
    // standard's; the Lee energies 2.142e6 V Ibf t / D^2: 2.142e6 x 20 x 10
    // x 0.5 / 910^2 = 258.7 J/cm2 = 61.82 cal/cm2; the approach boundaries
    // those of the system voltage). A fuse or breaker row names the class it
    // names, else its method's. A name too long for its cell is cut with "…".
    void ReportRowsHoldTheInputsAndTheGoverningCase() {
        const std::string cutName = "Main switchboard MSB-1 section B incomer cubicle 4 rear, left-hand side, behind "
                                    "the cable trench cover plate near column 12";
        const char* const ppe0 = "Natural fiber ( cotton / wool ) long sleeve shirt and pants, safety glasses, hard hat, "
                                 "V-rated gloves.";
        // clang-format off
        const struct { Point point; QString row; } cases[] = {
            {{"D.1", {{kMethodColumn, "ieee1584-2018"}, {kVoltageColumn, "4160"}, {kBoltedCurrentColumn, "15"},
                      {kGapColumn, "104"}, {kElectrodeConfigurationColumn, "VCB"}, {kEnclosureHeightColumn, "1143"},
                      {kEnclosureWidthColumn, "762"}, {kEnclosureDepthColumn, "508"}, {kWorkDistanceColumn, "914.4"},
                      {kArcTimeColumn, "0.197"}, {kArcTimeReducedColumn, "0.223"}}},
             "D.1 IEEE 1584-2018 VCB 4160 15 104 mm 1143 × 762 × 508 mm 914.4 mm 0.197 / 0.223 "
             "12.675 3.19 67 1 reduced FR shirt and pants, safety glasses, hard hat, V-rated gloves. 60 / 26 / 7"},
            {Points()[1],
             "Switchboard SB-2 main IEEE 1584-2002 empirical MCC and Panels 480 30 25 mm 18 inches 0.1 / 0.5 "
             "14.25 31.57 132 4 reduced Flash suit over FR coverall over FR shirt and pants, flash suit hood, ear canal "
             "inserts, V-rated and leather gloves, leather work shoes. 42 / 12 / 1"},
            {Points()[3],
             "MV switchgear 20 kV IEEE 1584-2002 Lee Switchgear 20000 10 153 mm 910 mm 0.5 9.71 61.82 258 N/A full "
             "Consult PPE Manufacturer 72 / 31 / 10"},
            {{"Fuse switch FS-2", {{kMethodColumn, "fuse"}, {kBoltedCurrentColumn, "50"}, {kWorkDistanceColumn, "910"},
                                   {kFuseClassColumn, "0"}, {kEquipmentClassColumn, "MCC and Panels"}}},
             QStringLiteral("Fuse switch FS-2 IEEE 1584-2002 fuse MCC and Panels 50 910 mm 32.13 0.25 6 0 full %1 42 / 12 / 1").arg(ppe0)},
            {Points()[10],
             QStringLiteral("MCCB feeder F-12 IEEE 1584-2002 breaker MCC and Panels 480 20 460 mm 1.04 15 0 full %1 42 / 12 / 1").arg(ppe0)},
            {Points()[12], "Breaker B-3 (trip too high) IEEE 1584-2002 breaker MCC and Panels 480 20 460 mm refused"},
            {{cutName, Points()[0].in}, "IEEE 1584-2002 empirical Switchgear 480 20 32 mm 455 mm 0.2 / 0.25 9.53 7.69 63 2 reduced"},
        };
        // clang-format on
        QTemporaryDir dir;
        std::vector<Point> points;
        for (const auto& c : cases) points.push_back(c.point);
        // An enclosure that takes three lines of its cell on Letter paper: no number of it is cut.
        points.push_back({"MCC-1 main lugs (2018)", {{kMethodColumn, "ieee1584-2018"}, {kVoltageColumn, "480"},
                                                     {kBoltedCurrentColumn, "35"}, {kGapColumn, "25"},
                                                     {kElectrodeConfigurationColumn, "VCB"}, {kEnclosureHeightColumn, "355.6"},
                                                     {kEnclosureWidthColumn, "304.8"}, {kEnclosureDepthColumn, "228.6"},
                                                     {kWorkDistanceColumn, "457.2"}, {kArcTimeColumn, "0.1"},
                                                     {kArcTimeReducedColumn, "0.1"}}});
        const Study study(points, StudyOptions{});
        for (QPageSize::PageSizeId size : {QPageSize::A4, QPageSize::Letter}) {
            StudyReportOptions o;
            o.pageSize = size;
            const QString path = Path(dir, "report.pdf");
            QCOMPARE(SaveStudyReportPdf(path, study.points.size(), study.At(), o, {}).outcome, StudyExportResult::kWritten);
            const QString text = Flat(RunPdfTool("pdftotext", {"-raw", path, "-"}));
            for (const auto& c : cases) QVERIFY2(text.contains(c.row), qPrintable(c.row + "\n in: " + text));
            QVERIFY2(text.contains(QStringLiteral("355.6 × 304.8 × 228.6 mm 457.2 mm")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("Approach limited / restricted / prohibited (inches)")), qPrintable(text));
            // The long name in the points' table: its start, then "…" where
            // the cell ends, the next cell right after it; the other tables'
            // wider cells hold it whole. Nothing else is cut.
            QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Main switchboard MSB-1 [^…]*… IEEE 1584-2002 "
                                                                     "empirical"))),
                     qPrintable(text));
            QCOMPARE(text.count(QStringLiteral("…")), 1);
        }
    }

    // The equipment on a row's label: the class the row names, for every
    // method; else the empirical row's own, the class of the fuse or breaker
    // equations, the 2018 row's electrode configuration. A class that is none
    // of the four refuses the row: it would be printed on its label.
    void LabelNamesTheRowsEquipmentClass() {
        // clang-format off
        const struct { int base; const char* cls; int language; const char* label; } cases[] = {
            {0,  "Cable",          kEnglish, "Cable"},
            {8,  "",               kEnglish, "Switchgear"},
            {8,  "MCC and Panels", kEnglish, "MCC and Panels"},
            {8,  "MCC and Panels", kSpanish, "Armario eléctrico"},
            {10, "",               kEnglish, "MCC and Panels"},
            {10, "Switchgear",     kFrench,  "Appareillage"},
            {-1, "",               kEnglish, "VCBB"},
            {-1, "Open air",       kEnglish, "Open air"},
            {8,  "Swichgear",      kEnglish, nullptr},
            {10, "switchgear",     kEnglish, nullptr},
        };
        // clang-format on
        Point ieee2018{"SWG-2018", {{kMethodColumn, "ieee1584-2018"}, {kVoltageColumn, "480"}, {kBoltedCurrentColumn, "25"},
                                    {kGapColumn, "32"}, {kElectrodeConfigurationColumn, "VCBB"}, {kEnclosureHeightColumn, "508"},
                                    {kEnclosureWidthColumn, "508"}, {kEnclosureDepthColumn, "508"}, {kWorkDistanceColumn, "455"},
                                    {kArcTimeColumn, "0.1"}, {kArcTimeReducedColumn, "0.1"}}};
        for (const auto& c : cases) {
            Point p = c.base < 0 ? ieee2018 : Points()[static_cast<std::size_t>(c.base)];
            p.in[kEquipmentClassColumn] = c.cls;
            const Study study({p}, StudyOptions{});
            const QByteArray where = QByteArray::fromStdString(p.name + " / " + c.cls);
            if (!c.label) {
                QCOMPARE(study.results[0][kStatusColumn], std::string("error"));
                QCOMPARE(study.results[0][kMessageColumn], "equipment_class: unknown value \"" + std::string(c.cls) + "\"");
                continue;
            }
            QVERIFY2(HasStudyResults(study.results[0]), where);
            StudyLabelOptions o;
            o.settings = AllRows(c.language, true);
            QVERIFY2(StudyLabel(study(0), o).at("Label20").text == c.label,
                     where + ": " + QByteArray::fromStdString(StudyLabel(study(0), o).at("Label20").text));
        }
    }

    // A study's DC points: the classic label and the label after NFPA 70E
    // name the method and DC, take the DC class of gloves and the DC
    // approach band, and say a low-voltage point's low risk; the report
    // names the method and adds the note on the DC methods.
    void DcLabelsNameDcAndTheMethod() {
        const std::vector<Point> points = {
            {"Battery B-1 (E1)", {{kMethodColumn, "dc-max-power"}, {kVoltageColumn, "504"}, {kDcSourceRColumn, "0.21"},
                                  {kWorkDistanceColumn, "457.2"}, {kArcTimeColumn, "2"}, {kDcBoxColumn, "lv-switchgear"}}},
            {"Telecom 48 V (E5)", {{kMethodColumn, "dc-arc-resistance"}, {kVoltageColumn, "48"}, {kDcSourceRColumn, "0.016"},
                                   {kGapColumn, "25"}, {kWorkDistanceColumn, "457.2"}, {kDcBoxColumn, "open"}}},
        };
        const Study study(points, StudyOptions{});
        QCOMPARE(study.Computed(), std::size_t{2});
        // clang-format off
        const struct { std::size_t point; int language; const char* line; const char* voltage; const char* equipment; const char* bolted; } classic[] = {
            {0, kEnglish, "NFPA 70E D.5 DC, maximum power",        "504 V DC ", "LV switchgear", "Available DC bolted current"},
            {0, kSpanish, "NFPA 70E D.5 CC, potencia máxima",      "504 V CC ", "LV switchgear", "Corriente de defecto CC disponible"},
            {1, kFrench,  "NFPA 70E D.5 c.c., résistance d'arc",   "48 V c.c. ", "À l'Air Libre", "Courant de Faute c.c. Disponible"},
        };
        // clang-format on
        for (const auto& c : classic) {
            StudyLabelOptions o;
            o.settings = AllRows(c.language, true);
            const LabelSheet sheet = StudyLabel(study(c.point), o);
            QCOMPARE(sheet.at("Label8").text, std::string(c.line));
            QCOMPARE(sheet.at("Label10").text, std::string(c.voltage));
            QCOMPARE(sheet.at("Label20").text, std::string(c.equipment));
            QCOMPARE(sheet.at("Label11").text, std::string("N/A"));
            QCOMPARE(sheet.at("Label4").text, std::string(c.bolted));
        }
        StudyLabelOptions o;
        o.settings = AllRows(kEnglish, true);
        o.standard.standard = LabelStandard::Nfpa70e;
        const StandardLabel e1 = StudyStandardLabel(study(0), o);
        QCOMPARE(e1.arcRows[0].value, std::string("504 V DC"));
        QCOMPARE(e1.arcRows[2].value, std::string("12.85 cal/cm² at 18 in"));
        QCOMPARE(e1.footer[1], std::string("Incident energy after NFPA 70E D.5 DC, maximum power · PPE after NFPA 70E-2024"));
        QCOMPARE(e1.shockRows[0].value, std::string("42 in"));
        QCOMPARE(e1.shockRows[1].value, std::string("12 in"));
        // Class 00 holds 750 V DC (500 V AC).
        QCOMPARE(e1.shockRows[2].value, std::string("Class 00"));
        const StandardLabel e5 = StudyStandardLabel(study(1), o);
        QCOMPARE(e5.shockRows[0].value, std::string("N/A"));
        QVERIFY(std::find(e5.footer.begin(), e5.footer.end(),
                          "At or below 150 V DC an arc is hard to sustain; the energy assumes it "
                          "is sustained") != e5.footer.end());
        QVERIFY(e5.footer[1].find("DC, arc resistance") != std::string::npos);

        QTemporaryDir dir;
        StudyReportOptions r;
        r.title = QStringLiteral("Battery room");
        const QString path = Path(dir, "report.pdf");
        QCOMPARE(SaveStudyReportPdf(path, study.points.size(), study.At(), r, {}).outcome, StudyExportResult::kWritten);
        const QString text = Flat(RunPdfTool("pdftotext", {"-raw", path, "-"}));
        QVERIFY(text.contains(QStringLiteral("DC maximum power")));
        QVERIFY(text.contains(QStringLiteral("DC arc resistance")));
        QVERIFY(text.contains(QStringLiteral("DC points after NFPA 70E Informative Annex D.5")));
        QVERIFY(text.contains(QStringLiteral("2 assumed")));
    }

    void ReportPaperFollowsTheTerritory() {
        for (QLocale::Territory t : {QLocale::UnitedStates, QLocale::Canada, QLocale::Mexico, QLocale::Philippines}) {
            QCOMPARE(ReportPageSizeFor(t), QPageSize::Letter);
        }
        for (QLocale::Territory t : {QLocale::Germany, QLocale::France, QLocale::UnitedKingdom, QLocale::Spain,
                                     QLocale::Brazil, QLocale::Japan, QLocale::AnyTerritory}) {
            QCOMPARE(ReportPageSizeFor(t), QPageSize::A4);
        }
    }
};

QTEST_MAIN(StudyPdfTest)
#include "study_pdf_test.moc"
