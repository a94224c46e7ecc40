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
    user.equipmentName = std::string(point.name.substr(0, EquipmentNameEnd(point.name)));
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
                if (EquipmentNameEnd(point.name) < point.name.size() && cutNames &&
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

// A column of the table of points: its heading and its share of the width.
struct Column {
    QString heading;
    qreal share;
};

std::vector<Column> PointColumns(const UnitSettings& u) {
    return {{QStringLiteral("Point"), 2.6},
            {QStringLiteral("Method / equations"), 2.2},
            {QStringLiteral("Voltage\n(V)"), 1.0},
            {QStringLiteral("Bolted current\n(kA)"), 1.2},
            {QStringLiteral("Arcing current\n(kA)"), 1.2},
            {QStringLiteral("Arc duration\n(s)"), 1.1},
            {QStringLiteral("Working distance"), 1.3},
            {QStringLiteral("Incident energy\n(%1)").arg(Text(u.EnergyUnit)), 1.3},
            {QStringLiteral("Arc flash boundary\n(%1)").arg(Text(u.BoundaryUnit)), 1.4},
            {QStringLiteral("PPE level"), 0.8},
            {QStringLiteral("Governing case"), 1.1},
            {QStringLiteral("Status"), 1.0}};
}

std::vector<Column> RefusedColumns() {
    return {{QStringLiteral("Point"), 3.0}, {QStringLiteral("Status"), 1.0},
            {QStringLiteral("Message"), 8.0}};
}

// The results of a point, none when it has not been computed.
const StudyRowResults& ResultsOf(const StudyPointView& p) {
    static const StudyRowResults kNone{};
    return p.results ? *p.results : kNone;
}

// The cells of a point's row: the governing case's values.
std::vector<QString> PointCells(const StudyPointView& p) {
    const StudyRowResults& r = ResultsOf(p);
    const StudyRowInputs& in = p.inputs;
    const bool computed = IsComputedRow(r);
    const bool reduced = computed && ReducedGoverns(r);
    QString method = Text(in[kMethodColumn]);
    if (!r[kEquationsColumn].empty() && r[kEquationsColumn] != in[kMethodColumn]) {
        method += QStringLiteral(" / ") + Text(r[kEquationsColumn]);
    }
    QString workDist = Text(in[kWorkDistanceColumn]);
    if (!workDist.isEmpty()) workDist += QLatin1Char(' ') + Text(LengthCaption(in[kWorkDistanceUnitColumn]));
    auto result = [&](StudyResultColumn full, StudyResultColumn red) {
        return Text(r[reduced ? red : full]);
    };
    QString governing;
    if (computed) {
        governing = r[kGoverningColumn] == "reduced" ? QStringLiteral("reduced") : QStringLiteral("full");
    }
    return {Text(p.name),
            method,
            Text(in[kVoltageColumn]),
            Text(in[kBoltedCurrentColumn]),
            result(kArcingCurrentColumn, kArcingCurrentReducedColumn),
            computed ? Text(in[reduced ? kArcTimeReducedColumn : kArcTimeColumn]) : QString(),
            workDist,
            result(kIncidentEnergyColumn, kIncidentEnergyReducedColumn),
            result(kFlashBoundaryColumn, kFlashBoundaryReducedColumn),
            result(kPpeLevelColumn, kPpeLevelReducedColumn),
            governing,
            Text(r[kStatusColumn])};
}

std::vector<QString> RefusedCells(const StudyPointView& p) {
    return {Text(p.name), Text(ResultsOf(p)[kStatusColumn]), Text(ResultsOf(p)[kMessageColumn])};
}

const char* const kMethodNotes[] = {
    "IEEE 1584-2002 empirical model: 208 V to 15 kV, bolted fault current 0.7 kA to 106 kA, "
    "conductor gap 13 mm to 152 mm, working distance 300 mm to 2000 mm. It gives two cases, at "
    "the predicted and at the 85% arcing current, each with its own arc duration; the case "
    "with the larger incident energy governs and its values are shown above.",
    "Theoretically derived model (Lee): used by the empirical method at 15 kV and above (up to "
    "46 kV) or for a gap over 152 mm; one case at the bolted fault current, no pressure or TNT "
    "equivalent.",
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

// One thing on a page: the report's head, a table heading, a row, a section
// title or a paragraph of the note.
struct Item {
    enum Kind { kHead, kPointHeading, kPointRow, kRefusedTitle, kRefusedHeading, kRefusedRow,
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
        bottom_ = writer_.height() - margin_ - footerHeight();
        points_ = PointColumns(options.units);
        refused_ = RefusedColumns();
    }

    int Write() {
        QPainter painter;
        if (!painter.begin(&writer_)) throw std::runtime_error("The PDF could not be written.");
        if (!LayOut(painter)) return -1;
        for (std::size_t page = 0; page < pages_.size(); ++page) {
            if (page > 0 && !writer_.newPage()) throw std::runtime_error("The PDF could not be written.");
            qreal y = margin_;
            for (const Item& item : pages_[page]) {
                if (!Paint(painter, item, y)) return -1;
                y += item.height;
            }
            painter.setFont(body_);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(margin_, bottom_, width_, footerHeight()),
                             Qt::AlignRight | Qt::AlignBottom,
                             QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages_.size()));
        }
        if (!painter.end()) throw std::runtime_error("The PDF could not be written.");
        return static_cast<int>(pages_.size());
    }

private:
    qreal footerHeight() { return QFontMetricsF(body_, &writer_).lineSpacing() + pad_; }

    std::vector<qreal> Widths(const std::vector<Column>& columns) const {
        qreal total = 0;
        for (const Column& c : columns) total += c.share;
        std::vector<qreal> widths;
        for (const Column& c : columns) widths.push_back(width_ * c.share / total);
        return widths;
    }

    // The height of a row of cells in `font`, each wrapped in its column.
    qreal RowHeight(QPainter& painter, const std::vector<QString>& cells,
                    const std::vector<Column>& columns, const QFont& font) const {
        const QFontMetricsF m(font, &writer_);
        const std::vector<qreal> widths = Widths(columns);
        qreal height = m.lineSpacing();
        painter.setFont(font);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const qreal room = widths[i] - 2 * pad_;
            if (m.horizontalAdvance(cells[i]) <= room && !cells[i].contains(QLatin1Char('\n'))) continue;
            height = std::max(height, painter.boundingRect(QRectF(0, 0, room, 1e9), cells[i], Wrapping()).height());
        }
        return height + 2 * pad_;
    }

    qreal ParagraphHeight(QPainter& painter, const QString& text, const QFont& font) const {
        painter.setFont(font);
        return painter.boundingRect(QRectF(0, 0, width_, 1e9), text, Wrapping()).height() + 3 * pad_;
    }

    QString HeadText() const {
        QString head = options_.title + QLatin1Char('\n');
        if (!options_.dateText.isEmpty()) head += options_.dateText + QLatin1Char('\n');
        return head + QStringLiteral("%1 points of work, %2 computed, %3 refused")
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
            rows.push_back({Item::kPointRow, i, RowHeight(painter, PointCells(p), points_, body_)});
            if (!IsComputedRow(ResultsOf(p))) {
                refusedRows_.push_back({Item::kRefusedRow, i, RowHeight(painter, RefusedCells(p), refused_, body_)});
            }
            if (progress_ && !progress_(i + 1, 2 * count_)) return false;
        }
        std::vector<QString> headings;
        for (const Column& c : points_) headings.push_back(c.heading);
        const qreal pointHeading = RowHeight(painter, headings, points_, bold_);
        headings.clear();
        for (const Column& c : refused_) headings.push_back(c.heading);
        const qreal refusedHeading = RowHeight(painter, headings, refused_, bold_);
        const qreal sectionTitle = QFontMetricsF(title2_, &writer_).lineSpacing() + 4 * pad_;

        pages_.emplace_back();
        qreal y = margin_;
        auto place = [&](const Item& item) {
            if (y + item.height > bottom_ && !pages_.back().empty()) {
                pages_.emplace_back();
                y = margin_;
            }
            pages_.back().push_back(item);
            y += item.height;
        };
        auto newPage = [&] {
            pages_.emplace_back();
            y = margin_;
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
        const QString head = HeadText();
        place({Item::kHead, 0, ParagraphHeight(painter, head, title1_) + 2 * pad_});
        placeRows(rows, {Item::kPointHeading, 0, pointHeading});
        if (!refusedRows_.empty()) {
            place({Item::kRefusedTitle, 0, sectionTitle});
            placeRows(refusedRows_, {Item::kRefusedHeading, 0, refusedHeading});
        }
        place({Item::kNoteTitle, 0, sectionTitle});
        for (std::size_t k = 0; k < std::size(kMethodNotes); ++k) {
            place({Item::kNote, k, ParagraphHeight(painter, QString::fromUtf8(kMethodNotes[k]), body_)});
        }
        return true;
    }

    void PaintCells(QPainter& painter, const std::vector<QString>& cells,
                    const std::vector<Column>& columns, qreal y, qreal height, bool heading) {
        const std::vector<qreal> widths = Widths(columns);
        painter.setFont(heading ? bold_ : body_);
        if (heading) painter.fillRect(QRectF(margin_, y, width_, height), QColor(225, 225, 225));
        qreal x = margin_;
        painter.setPen(QPen(QColor(150, 150, 150), 0));
        painter.drawLine(QPointF(margin_, y + height), QPointF(margin_ + width_, y + height));
        painter.setPen(Qt::black);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            painter.drawText(QRectF(x + pad_, y + pad_, widths[i] - 2 * pad_,
                                    height - 2 * pad_),
                             cells[i], Wrapping());
            x += widths[i];
        }
    }

    bool Paint(QPainter& painter, const Item& item, qreal y) {
        switch (item.kind) {
            case Item::kHead:
                painter.setFont(title1_);
                painter.setPen(Qt::black);
                painter.drawText(QRectF(margin_, y, width_, item.height), HeadText(), Wrapping());
                return true;
            case Item::kPointHeading:
            case Item::kRefusedHeading: {
                const std::vector<Column>& columns = item.kind == Item::kPointHeading ? points_ : refused_;
                std::vector<QString> headings;
                for (const Column& c : columns) headings.push_back(c.heading);
                PaintCells(painter, headings, columns, y, item.height, true);
                return true;
            }
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
    QFont bold_ = ReportFont(7.5, true);
    QFont title1_ = ReportFont(12, true);
    QFont title2_ = ReportFont(10, true);
    qreal width_ = 0, bottom_ = 0;
    std::vector<Column> points_, refused_;
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
