// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/study_pdf.h"

#include "io/paper.h"

#include <malloc.h>

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <unordered_map>

#include "engine/catalog.h"
#include "engine/error.h"
#include "engine/number.h"
#include "engine/ieee2018_device.h"
#include "render/label_painter.h"
#include "render/time_current.h"
#include "io/file_io.h"

namespace zentavo::render {

namespace {

// The word of a row's length unit cell, as the row's lengths are shown.
std::string_view LengthCaption(std::string_view unit) { return unit.empty() ? UnitWord(LengthUnit::Millimetres) : unit; }

// The length unit of a computed row: its unit cells were read when it was
// computed, so a word that is no unit cannot stand there.
LengthUnit RowLengthUnit(std::string_view cell) {
    if (const auto unit = StudyLengthUnit(cell)) return *unit;
    throw std::invalid_argument("\"" + std::string(cell) + "\" is not a length unit.");
}

// The method a row's method cell names, read by the column's words; none
// for a word that is none of them.
std::optional<Method> MethodOf(const StudyRowInputs& in) {
    const std::span<const std::string_view> words = StudyColumnWords(kMethodColumn);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == in[kMethodColumn]) return static_cast<Method>(i);
    }
    return std::nullopt;
}

bool IsMethod(const StudyRowInputs& in, Method method) { return MethodOf(in) == method; }

// The equipment class a fuse or breaker row stands for: the one it names,
// else the class its tab computes for.
std::string_view EquipmentClassOf(const StudyRowInputs& in) {
    if (!in[kEquipmentClassColumn].empty()) return in[kEquipmentClassColumn];
    return kEquipmentClasses[IsMethod(in, kFuseMethod) ? kFuseTabClass : kBreakerTabClass];
}

// A point's result, or the empty result of a point not computed yet.
const PointResult& ResultOf(const StudyPointView& p) {
    static const PointResult kNone{};
    return p.result ? *p.result : kNone;
}

// The PDF's bytes on their way into the replacing write of its file, a
// quarter of a megabyte at a time, so that no page is held once painted. A
// failed write (a full disk) is kept to be told at the end; what follows it
// is dropped.
class ReplacingDevice : public QIODevice {
public:
    explicit ReplacingDevice(ReplacingWrite& file) : file_(file) { open(QIODevice::WriteOnly); }
    // Writes what is held; false once a write has failed (see Error).
    bool Flush() {
        if (error_.isEmpty() && !held_.empty()) {
            try {
                file_.Write(held_);
            } catch (const IoError& e) {
                error_ = QString::fromUtf8(e.reason().empty() ? e.what() : e.reason().c_str());
            }
            held_.clear();
        }
        return error_.isEmpty();
    }
    const QString& Error() const { return error_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (!error_.isEmpty()) return -1;
        held_.append(data, static_cast<std::size_t>(size));
        if (held_.size() >= kHeldBytes && !Flush()) return -1;
        return size;
    }

private:
    static constexpr std::size_t kHeldBytes = std::size_t{256} << 10;
    ReplacingWrite& file_;
    std::string held_;
    QString error_;
};

// Whether a write into the file has failed: painting on would be lost work.
bool WriteFailed(const QIODevice& out) {
    const auto* device = dynamic_cast<const ReplacingDevice*>(&out);
    return device && !device->Error().isEmpty();
}

// The most bytes a study's PDF may take before its end is written. Qt's PDF
// writer keeps the places of the file's objects in 32-bit numbers: a PDF of
// 2 GiB or more gets negative ones, and a reader finds no page through them.
// The end of the file (the page tree, the fonts, the table of the objects'
// places) comes after the pages; 256 MiB are kept for it, room for the page
// tree of millions of pages. About a million labels fit, or four million
// report rows.
constexpr qint64 kPdfByteLimit = (qint64{1} << 31) - (qint64{256} << 20);

// Stops the export with a message when the PDF has reached the limit.
void CheckPdfSize(const QIODevice& out, const char* what, int pages) {
    if (out.pos() < kPdfByteLimit) return;
    throw Error("The " + std::string(what) + " PDF has grown to 1.75 GiB after " +
                             std::to_string(pages) + " pages: the PDF writer counts the places in its file in "
                             "32 bits, so a PDF cannot pass 2 GiB. Write the " + what +
                             " of fewer points at a time.");
}

// The device of a computed row whose durations came from one, as its label's
// footer names it, with the durations used and their elements.
// `reducedAlone`: the label takes the reduced case alone (a 2018 row it
// governs), in the full case's place.
std::optional<LabelDevice> LabelDeviceOf(const PointResult& r, const StudyRowResults& t, bool reducedAlone) {
    if (!r.device || !r.full.duration) return std::nullopt;
    LabelDevice d;
    d.type = r.device->Type();
    d.relayCurve = r.device->Curve();
    const PointDuration* reduced = r.reduced && r.reduced->duration ? &*r.reduced->duration : nullptr;
    d.duration = t[reducedAlone ? kArcTimeReducedUsedColumn : kArcTimeUsedColumn];
    d.element = reducedAlone && reduced ? reduced->element : r.full.duration->element;
    if (!reducedAlone) {
        d.durationReduced = t[kArcTimeReducedUsedColumn];
        if (reduced) d.elementReduced = reduced->element;
    }
    return d;
}

}  // namespace

LabelContentInputs StudyLabelInputs(const StudyRowInputs& in, const PointResult& v, const UnitSettings& units,
                                    char sep) {
    const StudyRowResults r = ResultCells(v, units, sep);  // the texts, written from the numbers
    LabelContentInputs li;
    li.method = v.method;
    li.units = units;
    li.units.GapUnit = RowLengthUnit(in[kGapUnitColumn]);
    li.units.WorkDistUnit = RowLengthUnit(in[kWorkDistanceUnitColumn]);
    li.workDist = std::string(in[kWorkDistanceColumn]);
    li.boltedCurrent = v.network ? NetworkCurrentText(*v.NetworkCurrent(), sep) : std::string(in[kBoltedCurrentColumn]);
    li.voltage = std::string(in[kVoltageColumn]);
    li.limited = r[kLimitedApproachColumn];
    li.restricted = r[kRestrictedApproachColumn];
    li.prohibited = r[kProhibitedApproachColumn];
    li.voltageV = v.voltage;
    li.gapMm = v.gapMm;
    const PointCase* reduced = v.reduced ? &*v.reduced : nullptr;

    switch (v.method) {
    case kIeee2018Method: {
        // As the 2018 window: one case on the label, the governing one, with
        // pressure and TNT "N/A" and no grounding.
        const bool governs = v.reducedGoverns && reduced;
        const PointCase& c = governs ? *reduced : v.full;
        // The equipment class when the row names one, else its electrode configuration.
        li.equipmentClass = std::string(in[kEquipmentClassColumn].empty() ? in[kElectrodeConfigurationColumn]
                                                                          : in[kEquipmentClassColumn]);
        li.grounding = "N/A";
        li.energy = r[governs ? kIncidentEnergyReducedColumn : kIncidentEnergyColumn];
        li.boundary = r[governs ? kFlashBoundaryReducedColumn : kFlashBoundaryColumn];
        li.ppe = r[governs ? kPpeLevelReducedColumn : kPpeLevelColumn];
        li.incidentEnergy = c.energy;
        li.ppeIndex = c.ppeIndex;
        li.device = LabelDeviceOf(v, r, governs);
        return li;
    }
    case kEmpiricalMethod:
        li.equipmentClass = std::string(in[kEquipmentClassColumn]);
        li.grounding = in[kGroundingColumn] == kGroundings[0] ? "ungrounded" : "Grounded";
        li.energyReduced = r[kIncidentEnergyReducedColumn];
        li.boundaryReduced = r[kFlashBoundaryReducedColumn];
        li.ppeReduced = r[kPpeLevelReducedColumn];
        li.pressureReduced = r[kPressureReducedColumn];
        li.tnt = r[kTntColumn];
        li.tntReduced = r[kTntReducedColumn];
        if (reduced) {
            li.incidentEnergyReduced = reduced->energy;
            li.ppeIndexReduced = reduced->ppeIndex;
            li.arcPressure = v.full.pressure.value_or(0);
            li.arcPressureReduced = reduced->pressure.value_or(0);
            li.tntEquivalent = v.full.tnt.value_or(0);
            li.tntEquivalentReduced = reduced->tnt.value_or(0);
        }
        break;
    case kFuseMethod:
    case kBreakerMethod:
        // The fuse and breaker tabs label their own equipment class, unless
        // the row names the equipment it protects.
        li.equipmentClass = std::string(EquipmentClassOf(in));
        li.grounding = "Grounded";
        li.arcPressure = v.full.pressure.value_or(0);
        break;
    }
    li.energy = r[kIncidentEnergyColumn];
    li.boundary = r[kFlashBoundaryColumn];
    li.ppe = r[kPpeLevelColumn];
    li.pressure = r[kPressureColumn];
    li.incidentEnergy = v.full.energy;
    li.ppeIndex = v.full.ppeIndex;
    li.device = LabelDeviceOf(v, r, false);
    return li;
}

LabelSheet StudyLabel(const StudyPointView& point, const StudyLabelOptions& options) {
    LabelUserTexts user;
    const std::string name = OneLineName(point.name);
    user.equipmentName = name.substr(0, EquipmentNameEnd(name));
    user.row1Value = options.row1Value;
    user.row2Value = options.row2Value;
    return ComposeLabel(options.settings, options.date,
                        StudyLabelInputs(point.inputs, ResultOf(point), options.units, options.sep), user);
}

void CutNames::Add(std::string_view name) {
    if (std::find(listed.begin(), listed.end(), name) != listed.end()) return;
    if (listed.size() < kCutNamesListed) {
        listed.emplace_back(name);
    } else {
        ++more;
    }
}

int WriteStudyLabelsPdf(QIODevice& out, std::size_t count, const StudyPointAt& at,
                        const StudyLabelOptions& options, const StudyProgress& progress,
                        CutNames* cutNames) {
    std::size_t next = 0;
    bool cancelled = false;
    LabelSheet sheet;
    int pages = 0;
    const int written = WriteLabelPdf(out, [&]() -> const LabelSheet* {
        while (next < count && !cancelled && !WriteFailed(out)) {
            const StudyPointView point = at(next++);
            const bool computed = point.result && point.result->Computed();
            if (computed) {
                CheckPdfSize(out, "labels", pages);
                sheet = StudyLabel(point, options);
                if (cutNames) {
                    const std::string name = OneLineName(point.name);
                    if (EquipmentNameEnd(name) < name.size()) cutNames->Add(point.name);
                }
            }
            if (progress && !progress(next, count)) cancelled = true;
            if (computed && !cancelled) {
                ++pages;
                return &sheet;
            }
        }
        return nullptr;
    });
    return cancelled ? -1 : written;
}

QPageSize::PageSizeId ReportPageSizeFor(QLocale::Territory territory) {
    static constexpr QLocale::Territory kLetter[] = {
        QLocale::UnitedStates,   QLocale::Canada,     QLocale::Mexico,      QLocale::PuertoRico,
        QLocale::Philippines,    QLocale::Chile,      QLocale::Colombia,    QLocale::Venezuela,
        QLocale::CostaRica,      QLocale::Guatemala,  QLocale::Panama,      QLocale::ElSalvador,
        QLocale::DominicanRepublic, QLocale::Nicaragua, QLocale::Honduras, QLocale::Belize};
    return std::find(std::begin(kLetter), std::end(kLetter), territory) != std::end(kLetter)
               ? QPageSize::Letter
               : QPageSize::A4;
}

QPageSize::PageSizeId DefaultReportPageSize() {
    if (const auto paper = SystemPaperSize()) return *paper == PaperSize::kLetter ? QPageSize::Letter : QPageSize::A4;
    return ReportPageSizeFor(QLocale::system().territory());
}

namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The report PDF is drawn at ten device units a point; a printer at its own
// resolution. Margins and paddings are laid out in points.
constexpr qreal kUnitsPerPoint = 10;
constexpr qreal kMarginPoints = 36;
constexpr qreal kCellPadPoints = 2;
// Text wraps between words, and within a word too long for its room.
QTextOption Wrapping() {
    QTextOption o(Qt::AlignLeft | Qt::AlignTop);
    o.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return o;
}

QFont ReportFont(qreal points, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(points);
    f.setBold(bold);
    // A spacing too small to see keeps the letters apart: no ligatures, so
    // the PDF's text reads back letter for letter ("fl", not one glyph).
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.1);
    return f;
}

// The widths of texts in one font, each short text measured once: a study's
// cells repeat the same words row after row. Texts longer than a cell's
// words are measured each time, and at most kCached widths are kept.
class TextWidths {
public:
    TextWidths(const QFont& font, QPaintDevice* device) : metrics_(font, device) {}
    qreal operator()(const QString& text) {
        if (text.size() > kLongest) return metrics_.horizontalAdvance(text);
        if (const auto it = cache_.find(text); it != cache_.end()) return it->second;
        if (cache_.size() >= kCached) cache_.clear();
        return cache_.emplace(text, metrics_.horizontalAdvance(text)).first->second;
    }
    const QFontMetricsF& metrics() const { return metrics_; }

    // Whether `text` surely fits in `room`, told without shaping it: a text
    // of printable ASCII is no wider than the sum of its letters' widths
    // (kerning draws letters closer), kept with a margin. Else unknown: false.
    bool SurelyFits(const QString& text, qreal room) {
        qreal sum = 0;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u < 0x20 || u > 0x7E) return false;
            qreal& w = ascii_[u - 0x20];
            if (w < 0) w = metrics_.horizontalAdvance(QString(c));
            sum += w;
            if (sum > 0.95 * room) return false;
        }
        return true;
    }

private:
    static constexpr qsizetype kLongest = 80;
    static constexpr qsizetype kCached = 1 << 14;
    QFontMetricsF metrics_;
    // A standard map rather than a QHash: Qt's hash ends the program when an
    // insertion finds no memory, where this one throws (see PaintOrLetGo).
    std::unordered_map<QString, qreal> cache_;
    std::array<qreal, 0x7F - 0x20> ascii_ = MakeUnknown();
    static std::array<qreal, 0x7F - 0x20> MakeUnknown() {
        std::array<qreal, 0x7F - 0x20> a;
        a.fill(-1);
        return a;
    }
};

// A cell that holds numbers (or clothing, settings, a message) is never cut:
// it takes the lines it needs, up to this many, and a word too wide for its
// cell is broken where it reaches the cell's edge. A text too long to be
// such a cell's (a refused row's garbage) is cut as any other.
constexpr int kMostWholeLines = 16;
constexpr qsizetype kLongestWholeText = 1024;

// The first characters of `word` that fit in `room` (at least one).
qsizetype FittingLength(const QString& word, TextWidths& width, qreal room) {
    qsizetype lo = 1, hi = word.size();
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (width(word.left(mid)) <= room) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    return lo;
}

// The lines of `text` in a cell `room` wide: broken between words (and at
// line ends), at most `most` lines; what does not fit is cut with "…", so a
// text never runs into the next cell. A cell that may not be cut (`mayCut`
// false) takes up to kMostWholeLines lines, its words too wide broken.
QStringList FitLines(const QString& text, TextWidths& width, qreal room, int most, bool mayCut = true) {
    const bool whole = !mayCut && text.size() <= kLongestWholeText;
    if (whole) most = std::max(most, kMostWholeLines);
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        const QStringList words = paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (most == 1) {  // one line: the words in a row, nothing to measure until the end
            lines.append(words.join(QLatin1Char(' ')));
            continue;
        }
        QString line;
        for (const QString& word : words) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (line.isEmpty() || width.SurelyFits(longer, room) || width(longer) <= room) {
                line = longer;
            } else {
                lines.append(line);
                line = word;
            }
            // A word wider than the cell, in pieces as wide as the cell.
            while (whole && !width.SurelyFits(line, room) && width(line) > room) {
                const qsizetype n = FittingLength(line, width, room);
                lines.append(line.left(n));
                line = line.mid(n);
            }
        }
        lines.append(line);
    }
    if (lines.size() > most) {
        const QString rest = lines.mid(most - 1).join(QLatin1Char(' '));
        lines.resize(most - 1);
        lines.append(rest);
    }
    for (QString& line : lines) {
        if (!width.SurelyFits(line, room) && width(line) > room) {
            line = width.metrics().elidedText(line, Qt::ElideRight, room);
        }
    }
    return lines;
}

// A column of a table: its heading, its share of the width, the most lines a
// cell takes, whether it stands among the results (or the inputs), a text
// its cells must show on one line, and whether a cell too long for it may be
// cut (a name, a word of a list) or never is (numbers, clothing, settings,
// messages: see FitLines). Headings are never cut.
struct Column {
    QString heading;
    qreal share;
    int lines = 1;
    bool result = false;
    QString fits = {};
    bool mayCut = false;
};

std::vector<Column> PointColumns(const UnitSettings& u) {
    const QString boundary = Text(UnitWord(u.BoundaryUnit));
    return {{QStringLiteral("Point"), 56, 3, false, {}, true},
            {QStringLiteral("Method"), 58, 2, false, QStringLiteral("IEEE 1584-2002"), true},
            {QStringLiteral("Equipment class or electrodes"), 48, 2, false, QStringLiteral("Switchgear"), true},
            {QStringLiteral("Voltage (V)"), 28, 1, false, QStringLiteral("13800")},
            {QStringLiteral("Bolted current (kA)"), 30, 2, false, QStringLiteral("106.5")},
            {QStringLiteral("Gap"), 36, 1, false, QStringLiteral("152.4 mm")},
            {QStringLiteral("Enclosure H × W × D"), 44, 2},
            {QStringLiteral("Working distance"), 40, 1, false, QStringLiteral("36 inches")},
            {QStringLiteral("Arc duration full / reduced (s)"), 38, 2, false, QStringLiteral("0.25 / 0.5")},
            {QStringLiteral("Arcing current (kA)"), 30, 1, true, QStringLiteral("106.000")},
            {QStringLiteral("Incident energy (%1)").arg(Text(UnitWord(u.EnergyUnit))), 34, 1, true, QStringLiteral("1000.00")},
            {QStringLiteral("Arc flash boundary (%1)").arg(boundary), 34, 1, true, QStringLiteral("10000")},
            {QStringLiteral("PPE level"), 22, 1, true, QStringLiteral("N/A")},
            {QStringLiteral("Case"), 30, 1, true, QStringLiteral("reduced"), true},
            {QStringLiteral("Protective clothing"), 150, 5, true},
            {QStringLiteral("Approach limited / restricted / prohibited (%1)").arg(boundary), 50, 3, true}};
}

std::vector<Column> BusColumns() {
    return {{QStringLiteral("Bus"), 80, 2, false, {}, true},
            {QStringLiteral("Voltage (V)"), 30, 1, false, QStringLiteral("13800")},
            {QStringLiteral("I max (kA)"), 30, 1, true, QStringLiteral("106.000")},
            {QStringLiteral("I min (kA)"), 30, 1, true, QStringLiteral("106.000")},
            {QStringLiteral("X/R"), 24, 1, true, QStringLiteral("100.00")},
            {QStringLiteral("Convention"), 30, 1, false, QStringLiteral("iec60909"), true}};
}

// A bus of the network's table: refused buses read "no fault current".
std::vector<QString> BusCells(const network::BusResult& b, network::Convention convention) {
    const QString voltage = QString::fromStdString(FormatFixed(b.kV * 1000, 15, 0));
    const QString words = Text(network::kConventionWords[static_cast<std::size_t>(convention)]);
    if (!b.computed) return {Text(b.name), voltage, QStringLiteral("no fault current"), QString(), QString(), words};
    return {Text(b.name), voltage, QString::fromStdString(FormatFixed(b.ka_max, 15, 3)),
            QString::fromStdString(FormatFixed(b.ka_min, 15, 3)), QString::fromStdString(FormatFixed(b.xr_max, 15, 2)),
            words};
}

// The bolted current of a row: as typed, or (a row of a network) the one of
// the case that gave its results, with that case.
QString BoltedCurrentText(const StudyPointView& p, char sep) {
    const PointResult& r = ResultOf(p);
    if (!r.network) return Text(p.inputs[kBoltedCurrentColumn]);
    return Text(NetworkCurrentText(*r.NetworkCurrent(), sep)) +
           (r.network->minimumCase ? QStringLiteral(" min") : QStringLiteral(" max"));
}

std::vector<Column> RefusedColumns() {
    return {{QStringLiteral("Point"), 64, 3, false, {}, true},
            {QStringLiteral("Method"), 58, 2, false, {}, true},
            {QStringLiteral("Status"), 30, 1, false, {}, true},
            {QStringLiteral("Message"), 400, 6}};
}

// The protective devices of the rows that name one.
std::vector<Column> DeviceColumns() {
    return {{QStringLiteral("Point"), 64, 3, false, {}, true},
            {QStringLiteral("Protective device and settings"), 300, 4},
            {QStringLiteral("Full case: duration (s), element"), 70, 2},
            {QStringLiteral("Reduced case: duration (s), element"), 70, 2}};
}

// ", branch share 0.500 maximum case, 0.332 minimum case": on a branch of
// the network without a typed share, the branch's share of each case, which
// the row's device saw in that case; empty otherwise.
QString BranchSharesText(const StudyPointView& p, char sep) {
    const PointResult& r = ResultOf(p);
    if (!p.inputs[kDeviceShareColumn].empty() || !r.network || !r.network->share) return {};
    auto share = [&](const std::optional<double>& s) {
        return s ? QString::fromStdString(FormatFixed(*s, 15, 3, sep)) : QString();
    };
    return QStringLiteral(", branch share ") + share(r.network->share) + QStringLiteral(" maximum case, ") +
           share(r.network->shareMin) + QStringLiteral(" minimum case");
}

// "relay IEC-SI, pickup 2000 A, time dial 0.3, ...": the device of a row and
// the settings given, in the words and units of its columns.
QString DeviceText(const StudyRowInputs& in) {
    QString text = Text(in[kDeviceTypeColumn]);
    if (in[kDeviceTypeColumn] == "relay" && !in[kRelayCurveColumn].empty()) {
        text += QLatin1Char(' ') + Text(in[kRelayCurveColumn]);
    }
    struct Setting {
        StudyInputColumn column;
        const char* caption;
        const char* unit;
    };
    // clang-format off
    static constexpr Setting kSettings[] = {
        {kRelayPickupColumn, "pickup", " A"},          {kRelayTimeDialColumn, "time dial", ""},
        {kRelayInstPickupColumn, "instantaneous", " A"}, {kRelayInstDelayColumn, "delay", " s"},
        {kBreakerTimeColumn, "breaker", " s"},          {kTripRatingColumn, "rating", " A"},
        {kTripLtPickupColumn, "LT pickup", " × In"},   {kTripLtDelayColumn, "LT delay", " s"},
        {kTripStPickupColumn, "ST pickup", " × Ir"},   {kTripStDelayColumn, "ST delay", " s"},
        {kTripInstPickupColumn, "INST pickup", " × In"}, {kTripInstTimeColumn, "INST time", " s"},
        {kTripToleranceColumn, "tolerance", ""},        {kFuseCurveColumn, "curve", ""},
        {kDeviceShareColumn, "share", ""},              {kMaxArcTimeColumn, "maximum", " s"},
    };
    // clang-format on
    for (const Setting& s : kSettings) {
        if (in[s.column].empty()) continue;
        const bool none = s.column == kMaxArcTimeColumn && in[s.column] == "none";
        text += QStringLiteral(", ") + QString::fromUtf8(s.caption) + QLatin1Char(' ') + Text(in[s.column]) +
                (none ? QString() : QString::fromUtf8(s.unit));
    }
    return text;
}

// A duration a device gave and its element: "0.0613, instantaneous".
QString UsedText(const std::optional<PointDuration>& d, char sep) {
    if (!d) return {};
    return Text(ArcDurationText(d->seconds, sep)) + QStringLiteral(", ") + Text(DeviceElementWord(d->element));
}

std::vector<QString> DeviceCells(const StudyPointView& p, char sep) {
    const PointResult& r = ResultOf(p);
    return {Text(OneLineName(p.name)), DeviceText(p.inputs) + BranchSharesText(p, sep), UsedText(r.full.duration, sep),
            r.reduced ? UsedText(r.reduced->duration, sep) : QString()};
}

// The edition of IEEE 1584 and the equations of a row, in words; a refused
// row by the method it asks for.
QString MethodText(const StudyPointView& p) {
    const PointResult& r = ResultOf(p);
    Equations equations = r.Computed() ? r.equations : Equations::None;
    if (equations == Equations::None) {
        switch (MethodOf(p.inputs).value_or(static_cast<Method>(-1))) {
            case kEmpiricalMethod:
                equations = Equations::Empirical;
                break;
            case kFuseMethod:
                equations = Equations::Fuse;
                break;
            case kBreakerMethod:
                equations = Equations::Breaker;
                break;
            case kIeee2018Method:
                equations = Equations::Ieee2018;
                break;
            default:
                return Text(p.inputs[kMethodColumn]);
        }
    }
    switch (equations) {
        case Equations::Ieee2018:
            return QStringLiteral("IEEE 1584-2018");
        case Equations::TheoreticallyDerived:
            return QStringLiteral("IEEE 1584-2002 Lee");
        default:
            return QStringLiteral("IEEE 1584-2002 ") + Text(EquationsWord(equations));
    }
}

// A number typed in a row with its unit ("mm" when the row names none).
QString WithUnit(std::string_view value, std::string_view unit) {
    return value.empty() ? QString() : Text(value) + QLatin1Char(' ') + Text(LengthCaption(unit));
}

bool Is2018Method(const StudyRowInputs& in) { return IsMethod(in, kIeee2018Method); }

// The equipment of a row: the electrode configuration of a 2018 row (with
// the class it names), else its equipment class (for a fuse or breaker row
// the one its label names).
QString EquipmentText(const StudyRowInputs& in) {
    if (Is2018Method(in)) {
        const QString configuration = Text(in[kElectrodeConfigurationColumn]);
        if (in[kEquipmentClassColumn].empty()) return configuration;
        return QStringLiteral("%1 (%2)").arg(Text(in[kEquipmentClassColumn]), configuration);
    }
    if (IsMethod(in, kFuseMethod) || IsMethod(in, kBreakerMethod)) return Text(EquipmentClassOf(in));
    return Text(in[kEquipmentClassColumn]);
}

// The inside of a 2018 row's enclosure, height × width × depth; none in open air.
QString EnclosureText(const StudyRowInputs& in) {
    const std::string_view c = in[kElectrodeConfigurationColumn];
    const bool openAir = c == kElectrodeWords[static_cast<int>(Electrode::VOA)] ||
                         c == kElectrodeWords[static_cast<int>(Electrode::HOA)];
    if (!Is2018Method(in) || openAir) return {};
    if (in[kEnclosureHeightColumn].empty() && in[kEnclosureWidthColumn].empty() && in[kEnclosureDepthColumn].empty()) {
        return {};
    }
    return QStringLiteral("%1 × %2 × %3 %4")
        .arg(Text(in[kEnclosureHeightColumn]), Text(in[kEnclosureWidthColumn]), Text(in[kEnclosureDepthColumn]),
             Text(LengthCaption(in[kEnclosureUnitColumn])));
}

// The arc durations of both cases; one where the equations have one case
// (Lee), none where the equations take none (fuses, breakers).
QString DurationsText(const StudyPointView& p, char sep) {
    const StudyRowInputs& in = p.inputs;
    const PointResult& r = ResultOf(p);
    if (IsMethod(in, kFuseMethod) || IsMethod(in, kBreakerMethod)) return {};
    if (r.Computed() && r.full.duration) {
        // Found from the row's device: the durations used, a capped one marked.
        auto used = [&](const PointDuration& d) {
            return Text(ArcDurationText(d.seconds, sep)) +
                   (d.element == DeviceElement::Capped ? QStringLiteral(" capped") : QString());
        };
        if (!r.reduced || !r.reduced->duration) return used(*r.full.duration);
        return used(*r.full.duration) + QStringLiteral(" / ") + used(*r.reduced->duration);
    }
    if ((r.Computed() && r.equations == Equations::TheoreticallyDerived) || in[kArcTimeReducedColumn].empty()) {
        return Text(in[kArcTimeColumn]);
    }
    return Text(in[kArcTimeColumn]) + QStringLiteral(" / ") + Text(in[kArcTimeReducedColumn]);
}

// The cells of a point's row: its inputs, then the governing case's results.
std::vector<QString> PointCells(const StudyPointView& p, const UnitSettings& units, char sep) {
    const PointResult& v = ResultOf(p);
    const StudyRowInputs& in = p.inputs;
    const bool computed = v.Computed();
    const bool reduced = computed && v.reducedGoverns && v.reduced;
    std::vector<QString> cells = {Text(OneLineName(p.name)),
                                  MethodText(p),
                                  EquipmentText(in),
                                  Text(in[kVoltageColumn]),
                                  BoltedCurrentText(p, sep),
                                  IsMethod(in, kFuseMethod) || IsMethod(in, kBreakerMethod)
                                      ? QString()
                                      : WithUnit(in[kGapColumn], in[kGapUnitColumn]),
                                  EnclosureText(in),
                                  WithUnit(in[kWorkDistanceColumn], in[kWorkDistanceUnitColumn]),
                                  DurationsText(p, sep)};
    if (!computed) {
        cells.resize(cells.size() + 7);
        cells[cells.size() - 3] = QStringLiteral("refused");
        return cells;
    }
    const StudyRowResults r = ResultCells(v, units, sep);
    auto result = [&](StudyResultColumn full, StudyResultColumn red) { return Text(r[reduced ? red : full]); };
    const QString clothing = result(kClothing1Column, kClothingReduced1Column) + QLatin1Char(' ') +
                             result(kClothing2Column, kClothingReduced2Column);
    cells.insert(cells.end(), {result(kArcingCurrentColumn, kArcingCurrentReducedColumn),
                               result(kIncidentEnergyColumn, kIncidentEnergyReducedColumn),
                               result(kFlashBoundaryColumn, kFlashBoundaryReducedColumn),
                               result(kPpeLevelColumn, kPpeLevelReducedColumn),
                               reduced ? QStringLiteral("reduced") : QStringLiteral("full"),
                               clothing.simplified(),
                               Text(r[kLimitedApproachColumn]) + QStringLiteral(" / ") +
                                   Text(r[kRestrictedApproachColumn]) + QStringLiteral(" / ") +
                                   Text(r[kProhibitedApproachColumn])});
    return cells;
}

std::vector<QString> RefusedCells(const StudyPointView& p) {
    // A point not computed yet has no status.
    return {Text(OneLineName(p.name)), MethodText(p), p.result ? Text(PointStatusWord(p.result->status)) : QString(),
            Text(ResultOf(p).message)};
}

const char* const kMethodNotes[] = {
    "IEEE 1584-2002 empirical model: 208 V to 15 kV, bolted fault current 0.7 kA to 106 kA, "
    "conductor gap 13 mm to 152 mm, working distance 300 mm to 2000 mm. It gives two cases, at "
    "the predicted and at the 85% arcing current, each with its own arc duration; the case "
    "with the larger incident energy governs and its values are shown above.",
    "IEEE 1584-2002 theoretically derived model (Lee): used by the empirical method at 15 kV and "
    "above (up to 46 kV) or for a gap over 152 mm; one case at the bolted fault current, no "
    "pressure or TNT equivalent.",
    "IEEE 1584-2002 fuse equations: current-limiting fuses of class RK1 (up to 600 A) and class L "
    "(601 A to 2000 A) at 600 V in switchgear, each within the bolted currents its equations "
    "were tested for.",
    "IEEE 1584-2002 circuit breaker equations: by breaker type and rating, 208 V to 480 V and "
    "575 V to 690 V, in panels and MCCs.",
    "IEEE 1584-2018 model: 208 V to 15 kV; bolted fault current 0.5 kA to 106 kA up to 600 V and "
    "0.2 kA to 65 kA above; gap 6.35 mm to 76.2 mm up to 600 V and 19.05 mm to 254 mm above; "
    "working distance 305 mm or more. The larger of the full and reduced arcing current cases "
    "governs.",
    "A point outside the range of its method is refused and listed with the reason; it has no "
    "results and no label. The results show the incident energy at the working distance and "
    "help choose the protective equipment against the radiated heat of an arc; actual arc flash "
    "severity can differ."};

// The report, written in two passes over the study so that no page is held:
// the first lays the pages out only to count them (each page says "Page n
// of m"), the second lays them out again the same way and paints them. A
// page is painted and handed to the device as soon as it is full; what is
// kept is the widths of the words met (bounded) and the counts.
class ReportWriter {
public:
    ReportWriter(QPagedPaintDevice& device, std::size_t count, const StudyPointAt& at,
                 const StudyReportOptions& options, const StudyProgress& progress, const QIODevice* out)
        : writer_(device), count_(count), at_(at), options_(options), progress_(progress), out_(out),
          margin_(kMarginPoints * device.logicalDpiY() / 72.0),
          pad_(kCellPadPoints * device.logicalDpiY() / 72.0),
          tableWidths_(table_, &device), boldWidths_(tableBold_, &device) {
        width_ = writer_.width() - 2 * margin_;
        top_ = margin_ + TitleBlockHeight();
        bottom_ = writer_.height() - margin_;
        points_ = PointColumns(options.units);
        refused_ = RefusedColumns();
        devices_ = DeviceColumns();
        buses_ = BusColumns();
        pointWidths_ = ColumnWidths(points_);
        refusedWidths_ = ColumnWidths(refused_);
        deviceWidths_ = ColumnWidths(devices_);
        busWidths_ = ColumnWidths(buses_);
    }

    // `pdf`: the PDF writer the device is, held by the caller, let go with
    // the painter on too little memory (PaintOrLetGo).
    int Write(std::unique_ptr<QPdfWriter>& pdf) {
        auto held = std::make_unique<QPainter>();
        return PaintOrLetGo(held, pdf, [&] {
            QPainter& painter = *held;
            if (!painter.begin(&writer_)) throw Error("The PDF could not be written.");
            if (!Flow(painter, false)) return -1;
            pageCount_ = page_;
            PaintTitleBlock(painter, 1);
            if (!Flow(painter, true)) return -1;
            if (!painter.end()) throw Error("The PDF could not be written.");
            return static_cast<int>(pageCount_);
        });
    }

private:
    // A table row: its cells, each as the lines it takes in its column.
    struct Row {
        std::vector<QStringList> lines;
        qreal height = 0;
    };

    qreal LineSpacing(const QFont& font) const { return QFontMetricsF(font, &writer_).lineSpacing(); }

    // The project, client and author lines, those given.
    QStringList TitleLines() const {
        QStringList lines;
        const std::pair<QString, QString> given[] = {{QStringLiteral("Project"), options_.project},
                                                     {QStringLiteral("Client"), options_.client},
                                                     {QStringLiteral("Prepared by"), options_.author}};
        for (const auto& [caption, value] : given) {
            if (!value.trimmed().isEmpty()) lines.append(caption + QStringLiteral(": ") + value.simplified());
        }
        return lines;
    }

    qreal TitleBlockHeight() const {
        const qreal left = LineSpacing(title1_) + static_cast<qreal>(TitleLines().size()) * LineSpacing(body_);
        const qreal right = 3 * LineSpacing(body_);
        return std::max(left, right) + 4 * pad_;
    }

    // At the top of every page: the title with the project, client and
    // author lines; the kind of report, the date and the page number.
    void PaintTitleBlock(QPainter& painter, std::size_t page) {
        const qreal leftWidth = width_ * 0.72, rightWidth = width_ - leftWidth;
        qreal y = margin_;
        painter.setPen(Qt::black);
        painter.setFont(title1_);
        const QFontMetricsF t(title1_, &writer_), b(body_, &writer_);
        painter.drawText(QRectF(margin_, y, leftWidth, t.lineSpacing()), Qt::AlignLeft | Qt::AlignTop,
                         t.elidedText(options_.title.simplified(), Qt::ElideRight, leftWidth - pad_));
        y += t.lineSpacing();
        painter.setFont(body_);
        for (const QString& line : TitleLines()) {
            painter.drawText(QRectF(margin_, y, leftWidth, b.lineSpacing()), Qt::AlignLeft | Qt::AlignTop,
                             b.elidedText(line, Qt::ElideRight, leftWidth - pad_));
            y += b.lineSpacing();
        }
        const QString right[] = {QStringLiteral("Arc flash study report"), options_.dateText,
                                 QStringLiteral("Page %1 of %2").arg(page).arg(pageCount_)};
        qreal ry = margin_;
        for (const QString& line : right) {
            painter.drawText(QRectF(margin_ + leftWidth, ry, rightWidth, b.lineSpacing()),
                             Qt::AlignRight | Qt::AlignTop, b.elidedText(line, Qt::ElideRight, rightWidth));
            ry += b.lineSpacing();
        }
        painter.setPen(QPen(Qt::black, 0));
        const qreal rule = top_ - 2 * pad_;
        painter.drawLine(QPointF(margin_, rule), QPointF(margin_ + width_, rule));
    }

    // The widths of a table's columns: by their shares, each at least as
    // wide as the longest word of its heading and the text it must fit; the
    // widest gives up the room.
    std::vector<qreal> ColumnWidths(const std::vector<Column>& columns) const {
        const QFontMetricsF m(tableBold_, &writer_);
        qreal total = 0;
        for (const Column& c : columns) total += c.share;
        std::vector<qreal> widths;
        std::size_t widest = 0;
        qreal taken = 0;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            qreal longestWord = QFontMetricsF(table_, &writer_).horizontalAdvance(columns[i].fits);
            for (const QString& word : columns[i].heading.split(QLatin1Char(' '))) {
                longestWord = std::max(longestWord, m.horizontalAdvance(word));
            }
            const qreal share = width_ * columns[i].share / total;
            widths.push_back(std::max(share, longestWord + 2.5 * pad_));
            taken += widths.back() - share;
            if (columns[i].share > columns[widest].share) widest = i;
        }
        widths[widest] -= taken;
        return widths;
    }

    const std::vector<qreal>& Widths(const std::vector<Column>& columns) const {
        if (&columns == &points_) return pointWidths_;
        if (&columns == &refused_) return refusedWidths_;
        if (&columns == &buses_) return busWidths_;
        return deviceWidths_;
    }

    // A row's cells in their columns, each as its lines, and its height. To
    // count pages only the height is needed: a cell of a one-line column
    // that may be cut, or that surely fits, takes one line and is not measured.
    Row LayRow(const std::vector<QString>& cells, const std::vector<Column>& columns, bool heading,
               bool heightOnly) {
        const std::vector<qreal>& widths = Widths(columns);
        TextWidths& width = heading ? boldWidths_ : tableWidths_;
        Row row;
        qsizetype most = 1;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const int lines = heading ? 5 : columns[i].lines;
            const bool mayCut = !heading && columns[i].mayCut;
            const qreal room = widths[i] - 2 * pad_;
            if (heightOnly && lines == 1 && (mayCut || width.SurelyFits(cells[i], room))) {
                row.lines.emplace_back();
                continue;
            }
            row.lines.push_back(FitLines(cells[i], width, room, lines, mayCut));
            most = std::max(most, row.lines.back().size());
        }
        row.height = static_cast<qreal>(most) * LineSpacing(heading ? tableBold_ : table_) + 2 * pad_;
        return row;
    }

    static std::vector<QString> Headings(const std::vector<Column>& columns) {
        std::vector<QString> headings;
        for (const Column& c : columns) headings.push_back(c.heading);
        return headings;
    }

    qreal ParagraphHeight(QPainter& painter, const QString& text, const QFont& font) const {
        painter.setFont(font);
        return painter.boundingRect(QRectF(0, 0, width_, 1e9), text, Wrapping()).height() + 3 * pad_;
    }

    QString SummaryText(std::size_t refused) const {
        return QStringLiteral("%1 points of work, %2 computed, %3 refused")
            .arg(count_)
            .arg(count_ - refused)
            .arg(refused);
    }

    // Lays out every part of the report in order, page by page: the count
    // of points, the table of all points under its heading (repeated at the
    // top of each page), the refused points under theirs, the note on the
    // methods. With `paint`, paints each part in its place and each new
    // page's title block; else only counts the pages (page_) and the refused
    // points. False when cancelled.
    bool Flow(QPainter& painter, bool paint) {
        page_ = 1;
        qreal y = top_;
        bool pageEmpty = true;
        auto newPage = [&] {
            ++page_;
            y = top_;
            pageEmpty = true;
            if (!paint) return;
            if (out_) CheckPdfSize(*out_, "report", static_cast<int>(page_ - 1));
            if (!writer_.newPage()) throw Error("The PDF could not be written.");
            PaintTitleBlock(painter, page_);
        };
        // A part `height` high: on this page when it fits or the page is empty.
        auto place = [&](qreal height, const std::function<void(qreal)>& paintAt) {
            if (y + height > bottom_ && !pageEmpty) newPage();
            if (paint) paintAt(y);
            y += height;
            pageEmpty = false;
        };
        // A table row under its heading, which comes again at the top of each new page.
        bool needHeading = true;
        auto placeRow = [&](const Row& row, const std::vector<Column>& columns, qreal headingHeight,
                            const std::function<void(qreal)>& paintHeading) {
            if (!needHeading && y + row.height > bottom_) {
                newPage();
                needHeading = true;
            }
            if (needHeading) {
                if (y + headingHeight + row.height > bottom_ && !pageEmpty) newPage();
                if (paint) paintHeading(y);
                y += headingHeight;
                needHeading = false;
            }
            if (paint) PaintCells(painter, row, columns, y, false);
            y += row.height;
            pageEmpty = false;
        };

        // The points' heading stands under a band naming the inputs and the results.
        const Row pointHeading = LayRow(Headings(points_), points_, true, false);
        const Row refusedHeading = LayRow(Headings(refused_), refused_, true, false);
        const qreal band = LineSpacing(tableBold_) + 2 * pad_;
        const qreal sectionTitle = LineSpacing(title2_) + 4 * pad_;
        auto paintPointHeading = [&](qreal at) {
            PaintGroupBand(painter, at, band);
            PaintCells(painter, pointHeading, points_, at + band, true);
        };

        // The count's height is taken for the longest count the study can
        // have, so both passes place the table alike before the refused
        // points are counted.
        const QString summary = SummaryText(refusedCount_);
        place(ParagraphHeight(painter, SummaryText(count_), body_), [&](qreal at) {
            painter.setFont(body_);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(margin_, at, width_, bottom_ - at), summary, Wrapping());
        });
        // A network's buses and their fault currents, before the points.
        if (options_.network && !options_.network->Results().buses.empty()) {
            const Row busHeading = LayRow(Headings(buses_), buses_, true, false);
            const auto& buses = options_.network->Results().buses;
            for (std::size_t b = 0; b < buses.size(); ++b) {
                const Row row = LayRow(BusCells(buses[b], options_.convention), buses_, false, !paint);
                if (b == 0) {
                    if (y + sectionTitle + busHeading.height + row.height > bottom_) newPage();
                    place(sectionTitle, [&](qreal at) {
                        PaintSectionTitle(painter, at, QStringLiteral("Short-circuit currents by bus"));
                    });
                }
                placeRow(row, buses_, busHeading.height,
                         [&](qreal at) { PaintCells(painter, busHeading, buses_, at, true); });
            }
            needHeading = true;
            // The title on the page of the points' heading and first row.
            if (count_ > 0) {
                const Row first = LayRow(PointCells(at_(0), options_.units, options_.sep), points_, false, false);
                if (y + sectionTitle + band + pointHeading.height + first.height > bottom_) newPage();
            }
            place(sectionTitle, [&](qreal at) { PaintSectionTitle(painter, at, QStringLiteral("Points of work")); });
        }
        std::size_t refused = 0;
        for (std::size_t i = 0; i < count_; ++i) {
            const StudyPointView p = at_(i);
            if (!ResultOf(p).Computed()) ++refused;
            placeRow(LayRow(PointCells(p, options_.units, options_.sep), points_, false, !paint), points_,
                     band + pointHeading.height,
                     paintPointHeading);
            const std::size_t done = paint ? count_ + i + 1 : i + 1;
            if (progress_ && !progress_(done, 2 * count_)) return false;
            if (out_ && WriteFailed(*out_)) return true;  // told at the end
        }
        refusedCount_ = refused;

        // The devices of the computed rows that name one, with their settings
        // and the durations they gave.
        {
            const Row deviceHeading = LayRow(Headings(devices_), devices_, true, false);
            needHeading = true;
            bool first = true;
            for (std::size_t i = 0; i < count_; ++i) {
                const StudyPointView p = at_(i);
                const PointResult& r = ResultOf(p);
                if (!r.Computed() || !r.full.duration) continue;
                const Row row = LayRow(DeviceCells(p, options_.sep), devices_, false, !paint);
                if (first) {
                    if (y + sectionTitle + deviceHeading.height + row.height > bottom_) newPage();
                    place(sectionTitle, [&](qreal at) {
                        PaintSectionTitle(painter, at, QStringLiteral("Protective devices"));
                    });
                    first = false;
                }
                placeRow(row, devices_, deviceHeading.height,
                         [&](qreal at) { PaintCells(painter, deviceHeading, devices_, at, true); });
                if (out_ && WriteFailed(*out_)) return true;
            }
        }

        // The points computed with a caution about their device's settings,
        // then the refused points: each with its status and message.
        auto listPoints = [&](const QString& title, bool (*listed)(const PointResult&)) {
            needHeading = true;
            bool first = true;
            for (std::size_t i = 0; i < count_; ++i) {
                const StudyPointView p = at_(i);
                if (!listed(ResultOf(p))) continue;
                const Row row = LayRow(RefusedCells(p), refused_, false, !paint);
                if (first) {
                    // The section's title on the page of its heading and first row.
                    if (y + sectionTitle + refusedHeading.height + row.height > bottom_) newPage();
                    place(sectionTitle, [&](qreal at) { PaintSectionTitle(painter, at, title); });
                    first = false;
                }
                placeRow(row, refused_, refusedHeading.height,
                         [&](qreal at) { PaintCells(painter, refusedHeading, refused_, at, true); });
                if (out_ && WriteFailed(*out_)) return false;
            }
            return true;
        };
        if (!listPoints(QStringLiteral("Points computed with a caution"),
                        [](const PointResult& r) { return r.status == PointStatus::Caution; })) {
            return true;
        }
        if (refused > 0 && !listPoints(QStringLiteral("Refused points"),
                                       [](const PointResult& r) { return !r.Computed(); })) {
            return true;
        }
        place(sectionTitle, [&](qreal at) {
            PaintSectionTitle(painter, at, QStringLiteral("Methods and their ranges"));
        });
        for (const char* note : kMethodNotes) {
            const QString text = QString::fromUtf8(note);
            const qreal height = ParagraphHeight(painter, text, body_);
            place(height, [&](qreal at) {
                painter.setFont(body_);
                painter.setPen(Qt::black);
                painter.drawText(QRectF(margin_, at, width_, height), text, Wrapping());
            });
        }
        if (options_.deviceCurves) DeviceCurves(painter, place, newPage, y, sectionTitle);
        return true;
    }

    // The appendix: each device row's time-current picture under its name,
    // the arcing currents marked where the device acts on them.
    template <class Place, class NewPage>
    void DeviceCurves(QPainter& painter, const Place& place, const NewPage& newPage, const qreal& y,
                      qreal sectionTitle) {
        const qreal caption = LineSpacing(body_) + 2 * pad_;
        const qreal pictureHeight = std::min((bottom_ - top_) * 0.42, width_ * 0.3);
        const qreal pictureWidth = pictureHeight * 1.6;
        bool first = true;
        for (std::size_t i = 0; i < count_; ++i) {
            const StudyPointView p = at_(i);
            const PointResult& r = ResultOf(p);
            if (!r.Computed() || !r.device || !r.full.duration) continue;
            const TimeCurrentPlot plot = StudyRowTimeCurrent(r, p.inputs, options_.sep);
            if (first) {
                if (y + sectionTitle + caption + pictureHeight > bottom_) newPage();
                place(sectionTitle, [&](qreal at) {
                    PaintSectionTitle(painter, at, QStringLiteral("Time-current curves of the protective devices"));
                });
                first = false;
            }
            // The shares the picture's currents were seen at stay whole; a
            // long name or settings give way.
            const QString title = Text(OneLineName(p.name)) + QStringLiteral(": ") + DeviceText(p.inputs);
            const QString shares = BranchSharesText(p, options_.sep);
            place(caption + pictureHeight, [&](qreal at) {
                painter.setFont(body_);
                painter.setPen(Qt::black);
                const QFontMetricsF m(body_, &writer_);
                const qreal room = std::max<qreal>(0, width_ - m.horizontalAdvance(shares));
                painter.drawText(QRectF(margin_, at + pad_, width_, LineSpacing(body_)), Qt::AlignLeft | Qt::AlignTop,
                                 m.elidedText(title, Qt::ElideRight, room) + shares);
                PaintTimeCurrent(painter, QRectF(margin_, at + caption, pictureWidth, pictureHeight), plot,
                                 options_.sep);
            });
        }
    }

    void PaintSectionTitle(QPainter& painter, qreal y, const QString& title) {
        painter.setFont(title2_);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(margin_, y + 2 * pad_, width_, LineSpacing(title2_) + 2 * pad_),
                         Qt::AlignLeft | Qt::AlignTop, title);
    }

    // A row of cells, each line by line in its column; a heading on grey.
    // Thin rules part the columns, a strong one the inputs from the results.
    void PaintCells(QPainter& painter, const Row& row, const std::vector<Column>& columns, qreal y, bool heading) {
        const std::vector<qreal>& widths = Widths(columns);
        const QFont& font = heading ? tableBold_ : table_;
        const QFontMetricsF& m = (heading ? boldWidths_ : tableWidths_).metrics();
        const qreal line = m.lineSpacing();
        if (heading) painter.fillRect(QRectF(margin_, y, width_, row.height), QColor(225, 225, 225));
        painter.setPen(QPen(QColor(150, 150, 150), 0));
        painter.drawLine(QPointF(margin_, y + row.height), QPointF(margin_ + width_, y + row.height));
        // The rules between the columns, drawn together by colour: fewer
        // changes of pen make a smaller page.
        QVarLengthArray<QLineF, 20> thin, strong;
        qreal x = margin_;
        for (std::size_t i = 1; i < row.lines.size(); ++i) {
            x += widths[i - 1];
            (columns[i].result != columns[i - 1].result ? strong : thin).append(QLineF(x, y, x, y + row.height));
        }
        painter.setPen(QPen(QColor(200, 200, 200), 0));
        painter.drawLines(thin.data(), static_cast<int>(thin.size()));
        painter.setPen(QPen(Qt::black, 0));
        painter.drawLines(strong.data(), static_cast<int>(strong.size()));
        painter.setPen(Qt::black);
        painter.setFont(font);
        x = margin_;
        for (std::size_t i = 0; i < row.lines.size(); ++i) {
            // Each line on its baseline, as a top-aligned line of the font stands.
            qreal baseline = y + pad_ + m.ascent();
            for (const QString& text : row.lines[i]) {
                if (!text.isEmpty()) painter.drawText(QPointF(x + pad_, baseline), text);
                baseline += line;
            }
            x += widths[i];
        }
    }

    // The band over the points' heading: "Inputs" over the input columns,
    // "Results" over the governing case's.
    void PaintGroupBand(QPainter& painter, qreal y, qreal height) {
        const std::vector<qreal>& widths = Widths(points_);
        qreal inputs = 0;
        for (std::size_t i = 0; i < points_.size() && !points_[i].result; ++i) inputs += widths[i];
        painter.fillRect(QRectF(margin_, y, width_, height), QColor(200, 200, 200));
        painter.setPen(QPen(Qt::black, 0));
        painter.drawLine(QPointF(margin_ + inputs, y), QPointF(margin_ + inputs, y + height));
        painter.setFont(tableBold_);
        painter.drawText(QRectF(margin_ + pad_, y + pad_, inputs - 2 * pad_, height - 2 * pad_),
                         Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Inputs"));
        painter.drawText(QRectF(margin_ + inputs + pad_, y + pad_, width_ - inputs - 2 * pad_, height - 2 * pad_),
                         Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Results of the governing case"));
    }

    QPagedPaintDevice& writer_;
    std::size_t count_;
    const StudyPointAt& at_;
    const StudyReportOptions& options_;
    const StudyProgress& progress_;
    const QIODevice* out_;  // where a PDF's bytes go, to watch its size; none for a printer
    const qreal margin_, pad_;  // in device units
    QFont body_ = ReportFont(7.5, false);
    QFont table_ = ReportFont(6.5, false);
    QFont tableBold_ = ReportFont(6.5, true);
    QFont title1_ = ReportFont(12, true);
    QFont title2_ = ReportFont(10, true);
    TextWidths tableWidths_, boldWidths_;
    qreal width_ = 0, top_ = 0, bottom_ = 0;
    std::vector<Column> points_, refused_, devices_, buses_;
    std::vector<qreal> pointWidths_, refusedWidths_, deviceWidths_, busWidths_;
    std::size_t page_ = 1, pageCount_ = 0, refusedCount_ = 0;
};

// Writes the PDF straight into the temporary file of a replacing write, and
// replaces `path` with it once `write` has finished: a cancel (write returns
// -1), nothing to write (0) or a failure leaves the old file as it was and
// no other file behind.
StudyExportResult SaveThrough(const QString& path, bool emptyIsNothing,
                              const std::function<int(QIODevice&)>& write) {
    StudyExportResult result;
    const std::string local = QFile::encodeName(path).toStdString();
    // Refused before any work: a pipe, a device or a folder in the file's place.
    if (FileExists(local) && !QFileInfo(path).isFile()) {
        result.error = QString::fromStdString(NotRegularFileMessage(local));
        return result;
    }
    try {
        ReplacingWrite file(local);
        int pages = 0;
        {
            ReplacingDevice device(file);
            pages = write(device);
            if (!device.Flush()) {
                result.error = device.Error();
                return result;
            }
        }
        if (pages < 0 || (emptyIsNothing && pages == 0)) {
            result.outcome = pages < 0 ? StudyExportResult::kCancelled : StudyExportResult::kNothingToWrite;
            return result;  // the temporary file goes with `file`
        }
        file.Commit();
        result.pages = pages;
        result.outcome = StudyExportResult::kWritten;
    } catch (const IoError& e) {
        result.error = QString::fromUtf8(e.reason().empty() ? e.what() : e.reason().c_str());
    } catch (const std::runtime_error& e) {
        result.error = QString::fromUtf8(e.what());
    }
    return result;
}

}  // namespace

QStringList DeviceLegend(const StudyRowInputs& inputs) { return DeviceText(inputs).split(QStringLiteral(", ")); }

TimeCurrentPlot StudyRowTimeCurrent(const PointResult& v, const StudyRowInputs& inputs, char sep) {
    const QString names[2] = {QStringLiteral("Iarc"), v.method == kIeee2018Method ? QStringLiteral("Iarc,min")
                                                                                  : QStringLiteral("0.85 Iarc")};
    const std::optional<PointDuration>* durations[2] = {&v.full.duration, v.reduced ? &v.reduced->duration : nullptr};
    std::vector<TimeCurrentMark> marks;
    for (int c = 0; c < 2; ++c) {
        if (!durations[c] || !*durations[c]) continue;
        const PointDuration& d = **durations[c];
        // A device that does not act has its mark on the cap, at the duration used.
        const bool acts = d.device.Operates();
        marks.push_back({d.deviceAmps, acts ? d.device.seconds : d.seconds, acts,
                         names[c] + QStringLiteral(": ") + Text(ArcDurationText(d.seconds, sep)) +
                             QStringLiteral(" s, ") + Text(DeviceElementWord(d.element))});
    }
    TimeCurrentPlot plot = MakeTimeCurrentPlot(*v.device, std::move(marks));
    plot.legend = DeviceLegend(inputs);
    return plot;
}

void KeepPdfPageBuffers() {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
}

QString StudyReportTitle(const QString& studyPath) {
    const QString name = studyPath.isEmpty() ? QString() : QFileInfo(studyPath).completeBaseName();
    return name.isEmpty() ? QStringLiteral("Arc flash study") : name;
}

int WriteStudyReportPdf(QIODevice& out, std::size_t count, const StudyPointAt& at,
                        const StudyReportOptions& options, const StudyProgress& progress) {
    auto writer = std::make_unique<QPdfWriter>(&out);
    writer->setResolution(static_cast<int>(72 * kUnitsPerPoint));
    writer->setPageLayout(QPageLayout(QPageSize(options.pageSize), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    writer->setTitle(options.title);
    writer->setCreator(QStringLiteral("Zentavo"));
    ReportWriter report(*writer, count, at, options, progress, &out);
    return report.Write(writer);
}

int PaintStudyReport(QPagedPaintDevice& device, std::size_t count, const StudyPointAt& at,
                     const StudyReportOptions& options, const StudyProgress& progress) {
    std::unique_ptr<QPdfWriter> none;
    return ReportWriter(device, count, at, options, progress, nullptr).Write(none);
}

StudyExportResult SaveStudyLabelsPdf(const QString& path, std::size_t count, const StudyPointAt& at,
                                     const StudyLabelOptions& options,
                                     const StudyProgress& progress,
                                     CutNames* cutNames) {
    CutNames cut;
    StudyExportResult r = SaveThrough(path, true, [&](QIODevice& out) {
        return WriteStudyLabelsPdf(out, count, at, options, progress, &cut);
    });
    if (cutNames && r.outcome == StudyExportResult::kWritten) *cutNames = std::move(cut);
    return r;
}

StudyExportResult SaveStudyReportPdf(const QString& path, std::size_t count, const StudyPointAt& at,
                                     const StudyReportOptions& options,
                                     const StudyProgress& progress) {
    return SaveThrough(path, false, [&](QIODevice& out) {
        return WriteStudyReportPdf(out, count, at, options, progress);
    });
}

}  // namespace zentavo::render
