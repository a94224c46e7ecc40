#include "render/study_pdf.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

#include "engine/catalog.h"
#include "engine/number.h"
#include "render/label_painter.h"
#include "report/file_io.h"

namespace zentavo::render {

namespace {

constexpr std::string_view k2018Equations = "IEEE 1584-2018";

// The PPE index a level text stands for: "0".."4", "N/A" beyond level 4,
// -1 for a case that was not classified (or not computed).
std::int32_t PpeIndexOf(std::string_view level) {
    if (level.size() == 1 && level[0] >= '0' && level[0] <= '4') return level[0] - '0';
    return level == "N/A" ? 5 : -1;
}

// The value of a result text; 0 for "N/A" and for a case not computed.
double ValueOf(std::string_view text, char sep) {
    if (text.empty()) return 0;
    try {
        return ParseNumber(text, sep);
    } catch (const ConversionError&) {
        return 0;
    }
}

std::string_view LengthCaption(std::string_view unit) { return unit.empty() ? "mm" : unit; }

bool Is2018Row(const StudyRowResults& r) { return r[kEquationsColumn] == k2018Equations; }

// The equipment class a fuse or breaker row stands for: the one it names,
// else the class its tab computes for.
std::string_view EquipmentClassOf(const StudyRowInputs& in) {
    if (!in[kEquipmentClassColumn].empty()) return in[kEquipmentClassColumn];
    return kEquipmentClasses[in[kMethodColumn] == "fuse" ? kFuseTabClass : kBreakerTabClass];
}

bool ReducedGoverns(const StudyRowResults& r) {
    return r[kGoverningColumn] == "reduced" && !r[kIncidentEnergyReducedColumn].empty();
}

}  // namespace

bool IsComputedRow(const StudyRowResults& results) { return results[kStatusColumn] == "ok"; }

LabelContentInputs StudyLabelInputs(const StudyRowInputs& in, const StudyRowResults& r,
                                    const UnitSettings& units, char sep) {
    LabelContentInputs li;
    li.units = units;
    li.units.GapUnit = std::string(LengthCaption(in[kGapUnitColumn]));
    li.units.WorkDistUnit = std::string(LengthCaption(in[kWorkDistanceUnitColumn]));
    li.workDist = std::string(in[kWorkDistanceColumn]);
    li.boltedCurrent = std::string(in[kBoltedCurrentColumn]);
    li.voltage = std::string(in[kVoltageColumn]);
    li.limited = r[kLimitedApproachColumn];
    li.restricted = r[kRestrictedApproachColumn];
    li.prohibited = r[kProhibitedApproachColumn];
    li.voltageV = ValueOf(in[kVoltageColumn], sep);

    if (Is2018Row(r)) {
        // As the 2018 window: one case on the label, the governing one, with
        // pressure and TNT "N/A" and no grounding.
        const bool reduced = ReducedGoverns(r);
        li.method = kFuseMethod;
        // The equipment class when the row names one, else its electrode configuration.
        li.equipmentClass = std::string(in[kEquipmentClassColumn].empty() ? in[kElectrodeConfigurationColumn]
                                                                          : in[kEquipmentClassColumn]);
        li.grounding = "N/A";
        li.energy = r[reduced ? kIncidentEnergyReducedColumn : kIncidentEnergyColumn];
        li.boundary = r[reduced ? kFlashBoundaryReducedColumn : kFlashBoundaryColumn];
        li.ppe = r[reduced ? kPpeLevelReducedColumn : kPpeLevelColumn];
        li.incidentEnergy = ValueOf(li.energy, sep);
        li.ppeIndex = PpeIndexOf(li.ppe);
        return li;
    }

    const std::string_view method = in[kMethodColumn];
    li.energy = r[kIncidentEnergyColumn];
    li.boundary = r[kFlashBoundaryColumn];
    li.ppe = r[kPpeLevelColumn];
    li.ppeIndex = PpeIndexOf(li.ppe);
    li.pressure = r[kPressureColumn];
    li.incidentEnergy = ValueOf(li.energy, sep);
    if (method == "empirical") {
        li.method = kEmpiricalMethod;
        li.equipmentClass = std::string(in[kEquipmentClassColumn]);
        li.grounding = in[kGroundingColumn] == kGroundings[0] ? "ungrounded" : "Grounded";
        li.energyReduced = r[kIncidentEnergyReducedColumn];
        li.boundaryReduced = r[kFlashBoundaryReducedColumn];
        li.ppeReduced = r[kPpeLevelReducedColumn];
        li.ppeIndexReduced = PpeIndexOf(li.ppeReduced);
        li.pressureReduced = r[kPressureReducedColumn];
        li.tnt = r[kTntColumn];
        li.tntReduced = r[kTntReducedColumn];
        li.incidentEnergyReduced = ValueOf(li.energyReduced, sep);
        // The texts are rounded: where they tie, the governing column decides.
        const bool reducedGoverns = ReducedGoverns(r);
        if (reducedGoverns != (li.incidentEnergy < li.incidentEnergyReduced)) {
            li.incidentEnergyReduced =
                reducedGoverns ? std::nextafter(li.incidentEnergy, HUGE_VAL) : li.incidentEnergy;
        }
        // Pressure and TNT: a case without them (not computed, or "N/A") counts as none.
        li.arcPressure = ValueOf(li.pressure == "N/A" ? "" : li.pressure, sep);
        li.arcPressureReduced = ValueOf(li.pressureReduced == "N/A" ? "" : li.pressureReduced, sep);
        li.tntEquivalent = ValueOf(li.tnt == "N/A" ? "" : li.tnt, sep);
        li.tntEquivalentReduced = ValueOf(li.tntReduced == "N/A" ? "" : li.tntReduced, sep);
        try {
            li.gapMm = ToMillimetres(ParseNumber(in[kGapColumn], sep), li.units.GapUnit);
        } catch (const ConversionError&) {
            li.gapMm = 0;
        }
    } else {
        // The fuse and breaker tabs label their own equipment class, unless
        // the row names the equipment it protects.
        li.method = method == "fuse" ? kFuseMethod : kBreakerMethod;
        li.equipmentClass = std::string(EquipmentClassOf(in));
        li.grounding = "Grounded";
        li.ppeIndexReduced = -1;
    }
    return li;
}

LabelSheet StudyLabel(const StudyPointView& point, const StudyLabelOptions& options) {
    const StudyRowResults& r = *point.results;
    LabelUserTexts user;
    const std::string name = OneLineName(point.name);
    user.equipmentName = name.substr(0, EquipmentNameEnd(name));
    user.row1Value = options.row1Value;
    user.row2Value = options.row2Value;
    LabelSheet sheet =
        ComposeLabel(options.settings, options.date,
                     StudyLabelInputs(point.inputs, r, options.units, options.sep), user);
    // The 2018 model does not depend on the grounding: the label says so in every language.
    if (Is2018Row(r)) {
        sheet.at("Label11").text = "N/A";
        sheet.at("Label8").text = kIeee2018LabelLine;
    }
    return sheet;
}

int WriteStudyLabelsPdf(QIODevice& out, std::size_t count, const StudyPointAt& at,
                        const StudyLabelOptions& options, const StudyProgress& progress,
                        std::vector<std::string>* cutNames) {
    std::size_t next = 0;
    bool cancelled = false;
    LabelSheet sheet;
    std::set<std::string, std::less<>> cut;
    const int pages = WriteLabelPdf(out, [&]() -> const LabelSheet* {
        while (next < count && !cancelled) {
            const StudyPointView point = at(next++);
            const bool computed = point.results && IsComputedRow(*point.results);
            if (computed) {
                sheet = StudyLabel(point, options);
                if (cutNames && EquipmentNameEnd(OneLineName(point.name)) < OneLineName(point.name).size() &&
                    cut.insert(std::string(point.name)).second) {
                    cutNames->emplace_back(point.name);
                }
            }
            if (progress && !progress(next, count)) cancelled = true;
            if (computed && !cancelled) return &sheet;
        }
        return nullptr;
    });
    return cancelled ? -1 : pages;
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

// The lines of `text` in a cell `room` wide: broken between words (and at
// line ends), at most `most` lines; what does not fit is cut with "…", so a
// text never runs into the next cell.
QStringList FitLines(const QString& text, const QFontMetricsF& m, qreal room, int most) {
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (line.isEmpty() || m.horizontalAdvance(longer) <= room) {
                line = longer;
            } else {
                lines.append(line);
                line = word;
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
        if (m.horizontalAdvance(line) > room) line = m.elidedText(line, Qt::ElideRight, room);
    }
    return lines;
}

// A column of a table: its heading, its share of the width, the most lines a
// cell takes, whether it stands among the results (or the inputs), and a
// text its cells must show on one line.
struct Column {
    QString heading;
    qreal share;
    int lines = 1;
    bool result = false;
    QString fits = {};
};

std::vector<Column> PointColumns(const UnitSettings& u) {
    const QString boundary = Text(u.BoundaryUnit);
    return {{QStringLiteral("Point"), 56, 3},
            {QStringLiteral("Method"), 58, 2, false, QStringLiteral("IEEE 1584-2002")},
            {QStringLiteral("Equipment class or electrodes"), 48, 2, false, QStringLiteral("Switchgear")},
            {QStringLiteral("Voltage (V)"), 28, 1, false, QStringLiteral("13800")},
            {QStringLiteral("Bolted current (kA)"), 30, 1, false, QStringLiteral("106.5")},
            {QStringLiteral("Gap"), 36, 1, false, QStringLiteral("152.4 mm")},
            {QStringLiteral("Enclosure H × W × D"), 44, 2},
            {QStringLiteral("Working distance"), 40, 1, false, QStringLiteral("36 inches")},
            {QStringLiteral("Arc duration full / reduced (s)"), 38, 2, false, QStringLiteral("0.25 / 0.5")},
            {QStringLiteral("Arcing current (kA)"), 30, 1, true, QStringLiteral("106.000")},
            {QStringLiteral("Incident energy (%1)").arg(Text(u.EnergyUnit)), 34, 1, true, QStringLiteral("1000.00")},
            {QStringLiteral("Arc flash boundary (%1)").arg(boundary), 34, 1, true, QStringLiteral("10000")},
            {QStringLiteral("PPE level"), 22, 1, true, QStringLiteral("N/A")},
            {QStringLiteral("Case"), 30, 1, true, QStringLiteral("reduced")},
            {QStringLiteral("Protective clothing"), 150, 5, true},
            {QStringLiteral("Approach limited / restricted / prohibited (%1)").arg(boundary), 50, 3, true}};
}

std::vector<Column> RefusedColumns() {
    return {{QStringLiteral("Point"), 64, 3},
            {QStringLiteral("Method"), 58, 2},
            {QStringLiteral("Status"), 30, 1},
            {QStringLiteral("Message"), 400, 6}};
}

// The results of a point, none when it has not been computed.
const StudyRowResults& ResultsOf(const StudyPointView& p) {
    static const StudyRowResults kNone{};
    return p.results ? *p.results : kNone;
}

// The edition of IEEE 1584 and the equations of a row, in words; a refused
// row by the method it asks for.
QString MethodText(const StudyRowInputs& in, const StudyRowResults& r) {
    const std::string_view equations = r[kEquationsColumn].empty() ? in[kMethodColumn] : r[kEquationsColumn];
    if (equations == k2018Equations || equations == "ieee1584-2018") return QStringLiteral("IEEE 1584-2018");
    if (equations == "theoretically derived") return QStringLiteral("IEEE 1584-2002 Lee");
    if (equations == "empirical" || equations == "fuse" || equations == "breaker") {
        return QStringLiteral("IEEE 1584-2002 ") + Text(equations);
    }
    return Text(in[kMethodColumn]);
}

// A number typed in a row with its unit ("mm" when the row names none).
QString WithUnit(std::string_view value, std::string_view unit) {
    return value.empty() ? QString() : Text(value) + QLatin1Char(' ') + Text(LengthCaption(unit));
}

bool Is2018Method(const StudyRowInputs& in) { return in[kMethodColumn] == "ieee1584-2018"; }

// The equipment of a row: the electrode configuration of a 2018 row (with
// the class it names), else its equipment class (for a fuse or breaker row
// the one its label names).
QString EquipmentText(const StudyRowInputs& in) {
    if (Is2018Method(in)) {
        const QString configuration = Text(in[kElectrodeConfigurationColumn]);
        if (in[kEquipmentClassColumn].empty()) return configuration;
        return QStringLiteral("%1 (%2)").arg(Text(in[kEquipmentClassColumn]), configuration);
    }
    if (in[kMethodColumn] == "fuse" || in[kMethodColumn] == "breaker") return Text(EquipmentClassOf(in));
    return Text(in[kEquipmentClassColumn]);
}

// The inside of a 2018 row's enclosure, height × width × depth; none in open air.
QString EnclosureText(const StudyRowInputs& in) {
    const std::string_view c = in[kElectrodeConfigurationColumn];
    if (!Is2018Method(in) || c == "VOA" || c == "HOA") return {};
    if (in[kEnclosureHeightColumn].empty() && in[kEnclosureWidthColumn].empty() && in[kEnclosureDepthColumn].empty()) {
        return {};
    }
    return QStringLiteral("%1 × %2 × %3 %4")
        .arg(Text(in[kEnclosureHeightColumn]), Text(in[kEnclosureWidthColumn]), Text(in[kEnclosureDepthColumn]),
             Text(LengthCaption(in[kEnclosureUnitColumn])));
}

// The arc durations of both cases; one where the equations have one case
// (Lee), none where the equations take none (fuses, breakers).
QString DurationsText(const StudyRowInputs& in, const StudyRowResults& r) {
    if (in[kMethodColumn] == "fuse" || in[kMethodColumn] == "breaker") return {};
    if (r[kEquationsColumn] == "theoretically derived" || in[kArcTimeReducedColumn].empty()) {
        return Text(in[kArcTimeColumn]);
    }
    return Text(in[kArcTimeColumn]) + QStringLiteral(" / ") + Text(in[kArcTimeReducedColumn]);
}

// The cells of a point's row: its inputs, then the governing case's results.
std::vector<QString> PointCells(const StudyPointView& p) {
    const StudyRowResults& r = ResultsOf(p);
    const StudyRowInputs& in = p.inputs;
    const bool computed = IsComputedRow(r);
    const bool reduced = computed && ReducedGoverns(r);
    std::vector<QString> cells = {Text(OneLineName(p.name)),
                                  MethodText(in, r),
                                  EquipmentText(in),
                                  Text(in[kVoltageColumn]),
                                  Text(in[kBoltedCurrentColumn]),
                                  in[kMethodColumn] == "fuse" || in[kMethodColumn] == "breaker"
                                      ? QString()
                                      : WithUnit(in[kGapColumn], in[kGapUnitColumn]),
                                  EnclosureText(in),
                                  WithUnit(in[kWorkDistanceColumn], in[kWorkDistanceUnitColumn]),
                                  DurationsText(in, r)};
    if (!computed) {
        cells.resize(cells.size() + 7);
        cells[cells.size() - 3] = QStringLiteral("refused");
        return cells;
    }
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
    return {Text(OneLineName(p.name)), MethodText(p.inputs, ResultsOf(p)), Text(ResultsOf(p)[kStatusColumn]),
            Text(ResultsOf(p)[kMessageColumn])};
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

// One thing on a page below its title block: the count of points, a table
// heading, a row, a section title or a paragraph of the note.
struct Item {
    enum Kind { kSummary, kPointHeading, kPointRow, kRefusedTitle, kRefusedHeading, kRefusedRow,
                kNoteTitle, kNote } kind;
    std::size_t index;  // the point of a row, the note's paragraph
    qreal height;
};

class ReportWriter {
public:
    ReportWriter(QPagedPaintDevice& device, std::size_t count, const StudyPointAt& at,
                 const StudyReportOptions& options, const StudyProgress& progress)
        : writer_(device), count_(count), at_(at), options_(options), progress_(progress),
          margin_(kMarginPoints * device.logicalDpiY() / 72.0),
          pad_(kCellPadPoints * device.logicalDpiY() / 72.0) {
        width_ = writer_.width() - 2 * margin_;
        top_ = margin_ + TitleBlockHeight();
        bottom_ = writer_.height() - margin_;
        points_ = PointColumns(options.units);
        refused_ = RefusedColumns();
        pointWidths_ = ColumnWidths(points_);
        refusedWidths_ = ColumnWidths(refused_);
    }

    int Write() {
        QPainter painter;
        if (!painter.begin(&writer_)) throw std::runtime_error("The PDF could not be written.");
        if (!LayOut(painter)) return -1;
        for (std::size_t page = 0; page < pages_.size(); ++page) {
            if (page > 0 && !writer_.newPage()) throw std::runtime_error("The PDF could not be written.");
            PaintTitleBlock(painter, page + 1);
            qreal y = top_;
            for (const Item& item : pages_[page]) {
                if (!Paint(painter, item, y)) return -1;
                y += item.height;
            }
        }
        if (!painter.end()) throw std::runtime_error("The PDF could not be written.");
        return static_cast<int>(pages_.size());
    }

private:
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
                                 QStringLiteral("Page %1 of %2").arg(page).arg(pages_.size())};
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
        return &columns == &points_ ? pointWidths_ : refusedWidths_;
    }

    // Each cell's lines in its column; a heading takes the lines it needs.
    std::vector<QStringList> CellLines(const std::vector<QString>& cells, const std::vector<Column>& columns,
                                       const QFont& font, bool heading) const {
        const QFontMetricsF m(font, &writer_);
        const std::vector<qreal>& widths = Widths(columns);
        std::vector<QStringList> lines;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            lines.push_back(FitLines(cells[i], m, widths[i] - 2 * pad_, heading ? 5 : columns[i].lines));
        }
        return lines;
    }

    qreal RowHeight(const std::vector<QString>& cells, const std::vector<Column>& columns, const QFont& font,
                    bool heading) const {
        qsizetype most = 1;
        for (const QStringList& l : CellLines(cells, columns, font, heading)) most = std::max(most, l.size());
        return static_cast<qreal>(most) * LineSpacing(font) + 2 * pad_;
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

    QString SummaryText() const {
        return QStringLiteral("%1 points of work, %2 computed, %3 refused")
            .arg(count_)
            .arg(count_ - refusedRows_.size())
            .arg(refusedRows_.size());
    }

    // Places every item on its page; false when cancelled.
    bool LayOut(QPainter& painter) {
        std::vector<Item> rows;
        rows.reserve(count_);
        for (std::size_t i = 0; i < count_; ++i) {
            const StudyPointView p = at_(i);
            rows.push_back({Item::kPointRow, i, RowHeight(PointCells(p), points_, table_, false)});
            if (!IsComputedRow(ResultsOf(p))) {
                refusedRows_.push_back({Item::kRefusedRow, i, RowHeight(RefusedCells(p), refused_, table_, false)});
            }
            if (progress_ && !progress_(i + 1, 2 * count_)) return false;
        }
        // The points' heading stands under a band naming the inputs and the results.
        const qreal pointHeading =
            LineSpacing(tableBold_) + 2 * pad_ + RowHeight(Headings(points_), points_, tableBold_, true);
        const qreal refusedHeading = RowHeight(Headings(refused_), refused_, tableBold_, true);
        const qreal sectionTitle = LineSpacing(title2_) + 4 * pad_;

        pages_.emplace_back();
        qreal y = top_;
        auto newPage = [&] {
            pages_.emplace_back();
            y = top_;
        };
        auto place = [&](const Item& item) {
            if (y + item.height > bottom_ && !pages_.back().empty()) newPage();
            pages_.back().push_back(item);
            y += item.height;
        };
        // Rows under their heading, which comes again at the top of each new page.
        auto placeRows = [&](const std::vector<Item>& items, const Item& heading) {
            bool needHeading = true;
            for (const Item& row : items) {
                if (!needHeading && y + row.height > bottom_) {
                    newPage();
                    needHeading = true;
                }
                if (needHeading) {
                    if (y + heading.height + row.height > bottom_ && !pages_.back().empty()) newPage();
                    pages_.back().push_back(heading);
                    y += heading.height;
                    needHeading = false;
                }
                pages_.back().push_back(row);
                y += row.height;
            }
        };
        place({Item::kSummary, 0, ParagraphHeight(painter, SummaryText(), body_)});
        placeRows(rows, {Item::kPointHeading, 0, pointHeading});
        if (!refusedRows_.empty()) {
            // The section's title on the page of its heading and first row.
            if (y + sectionTitle + refusedHeading + refusedRows_.front().height > bottom_) newPage();
            place({Item::kRefusedTitle, 0, sectionTitle});
            placeRows(refusedRows_, {Item::kRefusedHeading, 0, refusedHeading});
        }
        place({Item::kNoteTitle, 0, sectionTitle});
        for (std::size_t k = 0; k < std::size(kMethodNotes); ++k) {
            place({Item::kNote, k, ParagraphHeight(painter, QString::fromUtf8(kMethodNotes[k]), body_)});
        }
        return true;
    }

    // A row of cells, each line by line in its column; a heading on grey.
    // Thin rules part the columns, a strong one the inputs from the results.
    void PaintCells(QPainter& painter, const std::vector<QString>& cells, const std::vector<Column>& columns,
                    qreal y, qreal height, bool heading) {
        const std::vector<qreal>& widths = Widths(columns);
        const QFont& font = heading ? tableBold_ : table_;
        const qreal line = LineSpacing(font);
        if (heading) painter.fillRect(QRectF(margin_, y, width_, height), QColor(225, 225, 225));
        painter.setPen(QPen(QColor(150, 150, 150), 0));
        painter.drawLine(QPointF(margin_, y + height), QPointF(margin_ + width_, y + height));
        const std::vector<QStringList> lines = CellLines(cells, columns, font, heading);
        painter.setFont(font);
        qreal x = margin_;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) {
                const bool groups = columns[i].result != columns[i - 1].result;
                painter.setPen(groups ? QPen(Qt::black, 0) : QPen(QColor(200, 200, 200), 0));
                painter.drawLine(QPointF(x, y), QPointF(x, y + height));
            }
            painter.setPen(Qt::black);
            qreal ly = y + pad_;
            for (const QString& text : lines[i]) {
                painter.drawText(QRectF(x + pad_, ly, widths[i] - 2 * pad_, line), Qt::AlignLeft | Qt::AlignTop, text);
                ly += line;
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

    bool Paint(QPainter& painter, const Item& item, qreal y) {
        switch (item.kind) {
            case Item::kSummary:
                painter.setFont(body_);
                painter.setPen(Qt::black);
                painter.drawText(QRectF(margin_, y, width_, item.height), SummaryText(), Wrapping());
                return true;
            case Item::kPointHeading: {
                const qreal band = LineSpacing(tableBold_) + 2 * pad_;
                PaintGroupBand(painter, y, band);
                PaintCells(painter, Headings(points_), points_, y + band, item.height - band, true);
                return true;
            }
            case Item::kRefusedHeading:
                PaintCells(painter, Headings(refused_), refused_, y, item.height, true);
                return true;
            case Item::kPointRow: {
                PaintCells(painter, PointCells(at_(item.index)), points_, y, item.height, false);
                ++painted_;
                return !progress_ || progress_(count_ + painted_, 2 * count_);
            }
            case Item::kRefusedRow:
                PaintCells(painter, RefusedCells(at_(item.index)), refused_, y, item.height, false);
                return true;
            case Item::kRefusedTitle:
            case Item::kNoteTitle:
                painter.setFont(title2_);
                painter.setPen(Qt::black);
                painter.drawText(QRectF(margin_, y + 2 * pad_, width_, item.height), Qt::AlignLeft | Qt::AlignTop,
                                 item.kind == Item::kRefusedTitle
                                     ? QStringLiteral("Refused points")
                                     : QStringLiteral("Methods and their ranges"));
                return true;
            case Item::kNote:
                painter.setFont(body_);
                painter.setPen(Qt::black);
                painter.drawText(QRectF(margin_, y, width_, item.height),
                                 QString::fromUtf8(kMethodNotes[item.index]), Wrapping());
                return true;
        }
        return true;
    }

    QPagedPaintDevice& writer_;
    std::size_t count_;
    const StudyPointAt& at_;
    const StudyReportOptions& options_;
    const StudyProgress& progress_;
    const qreal margin_, pad_;  // in device units
    QFont body_ = ReportFont(7.5, false);
    QFont table_ = ReportFont(6.5, false);
    QFont tableBold_ = ReportFont(6.5, true);
    QFont title1_ = ReportFont(12, true);
    QFont title2_ = ReportFont(10, true);
    qreal width_ = 0, top_ = 0, bottom_ = 0;
    std::vector<Column> points_, refused_;
    std::vector<qreal> pointWidths_, refusedWidths_;
    std::vector<Item> refusedRows_;
    std::vector<std::vector<Item>> pages_;
    std::size_t painted_ = 0;
};

// Writes the PDF in memory, then replaces `path` with it all at once once
// `write` has finished; a cancel (write returns -1), nothing to write (0) or
// a failure leaves the old file as it was and no other file behind.
StudyExportResult SaveThrough(const QString& path, bool emptyIsNothing,
                              const std::function<int(QIODevice&)>& write) {
    StudyExportResult result;
    const std::string local = QFile::encodeName(path).toStdString();
    // Refused before any work: a pipe, a device or a folder in the file's place.
    if (FileExists(local) && !QFileInfo(path).isFile()) {
        result.error = QString::fromStdString(NotRegularFileMessage(local));
        return result;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    try {
        result.pages = write(buffer);
    } catch (const std::runtime_error& e) {
        result.error = QString::fromUtf8(e.what());
        return result;
    }
    if (result.pages < 0 || (emptyIsNothing && result.pages == 0)) {
        result.outcome = result.pages < 0 ? StudyExportResult::kCancelled
                                          : StudyExportResult::kNothingToWrite;
        result.pages = 0;
        return result;
    }
    try {
        const QByteArray& bytes = buffer.data();
        WriteFileAtomically(local, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const IoError& e) {
        result.error = QString::fromUtf8(e.reason().empty() ? e.what() : e.reason().c_str());
        return result;
    }
    result.outcome = StudyExportResult::kWritten;
    return result;
}

}  // namespace

QString StudyReportTitle(const QString& studyPath) {
    const QString name = studyPath.isEmpty() ? QString() : QFileInfo(studyPath).completeBaseName();
    return name.isEmpty() ? QStringLiteral("Arc flash study") : name;
}

int WriteStudyReportPdf(QIODevice& out, std::size_t count, const StudyPointAt& at,
                        const StudyReportOptions& options, const StudyProgress& progress) {
    QPdfWriter writer(&out);
    writer.setResolution(static_cast<int>(72 * kUnitsPerPoint));
    writer.setPageLayout(QPageLayout(QPageSize(options.pageSize), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    writer.setTitle(options.title);
    writer.setCreator(QStringLiteral("Zentavo"));
    return ReportWriter(writer, count, at, options, progress).Write();
}

int PaintStudyReport(QPagedPaintDevice& device, std::size_t count, const StudyPointAt& at,
                     const StudyReportOptions& options, const StudyProgress& progress) {
    return ReportWriter(device, count, at, options, progress).Write();
}

StudyExportResult SaveStudyLabelsPdf(const QString& path, std::size_t count, const StudyPointAt& at,
                                     const StudyLabelOptions& options,
                                     const StudyProgress& progress,
                                     std::vector<std::string>* cutNames) {
    std::vector<std::string> cut;
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
