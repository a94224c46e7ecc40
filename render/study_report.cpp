// SPDX-License-Identifier: GPL-3.0-or-later
// The study report: a title block on every page, its sections (the texts
// of those telling the study as a whole in report_sections.cpp), the
// points' table, the short-circuit table, the devices, the points with a
// caution and the refused ones, the note on the methods and the devices'
// time-current pictures, laid out in two passes so that no page is held.
#include "render/study_pdf.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>

#include "engine/error.h"
#include "engine/ieee2018_device.h"
#include "render/label_painter.h"
#include "render/one_line_painter.h"
#include "render/pdf_file.h"
#include "render/report_cells.h"
#include "render/report_text.h"
#include "render/time_current.h"

namespace zentavo::render {

namespace {

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
        points_ = PointColumns(options.units, options.standard);
        refused_ = RefusedColumns();
        devices_ = DeviceColumns();
        steps_ = StepColumns();
        buses_ = BusColumns();
        sources_ = SourceColumns();
        compared_ = ScenarioCompareColumns(options.units);
        above40_ = Above40Columns(options.units);
        schedule_ = ScheduleColumns(options.units, options.standard);
        for (const auto* c : {&points_, &refused_, &devices_, &steps_, &buses_, &sources_, &compared_, &above40_, &schedule_})
            widths_.emplace_back(c, ColumnWidths(*c));
        if (options.oneLine && !options.oneLine->buses.empty())
            oneLine_.emplace(options.oneLine, QSizeF(width_, bottom_ - top_) / UnitsPerPoint());
    }

    // `pdf`: the PDF writer the device is, held by the caller, let go with
    // the painter on too little memory (PaintOrLetGo).
    int Write(std::unique_ptr<QPdfWriter>& pdf) {
        auto held = std::make_unique<QPainter>();
        return PaintOrLetGo(held, pdf, [&] {
            QPainter& painter = *held;
            if (!painter.begin(&writer_)) throw Error("The PDF could not be written.");
            for (std::size_t i = 0; i < count_; ++i)
                survey_.Add(at_(i), options_.units, options_.sep);
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

    qreal UnitsPerPoint() const { return writer_.logicalDpiY() / 72.0; }
    qreal LineSpacing(const QFont& font) const { return QFontMetricsF(font, &writer_).lineSpacing(); }

    // The project, client and author lines, those given.
    QStringList TitleLines() const {
        QStringList lines;
        const std::pair<QString, QString> given[] = {{QStringLiteral("Project"), options_.project},
                                                     {QStringLiteral("Client"), options_.client},
                                                     {QStringLiteral("Prepared by"), options_.author},
                                                     {QStringLiteral("Assessment date"), options_.assessmentDate}};
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
        for (const auto& [table, widths] : widths_) {
            if (table == &columns) return widths;
        }
        throw std::logic_error("a table of the report without its widths");
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

    // Lays out every part of the report in order, page by page: Scope, Data
    // and assumptions, the one-line and the buses, the table of all points
    // under its heading (repeated at the top of each page, as every table's),
    // Scenarios compared, Points above 40 cal/cm², Protective device
    // settings, the arcs cleared in steps, Label schedule, the points with a
    // caution and the refused ones, the note on the methods. With `paint`,
    // paints each part in its place and each new page's title block; else
    // only counts the pages (page_). False when cancelled.
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
        const qreal band = LineSpacing(tableBold_) + 2 * pad_;
        const qreal sectionTitle = LineSpacing(title2_) + 4 * pad_;
        auto paintPointHeading = [&](qreal at) {
            PaintGroupBand(painter, at, band);
            PaintCells(painter, pointHeading, points_, at + band, true);
        };

        auto paragraph = [&](const QString& text) {
            const qreal height = ParagraphHeight(painter, text, body_);
            place(height, [&](qreal at) {
                painter.setFont(body_);
                painter.setPen(Qt::black);
                painter.drawText(QRectF(margin_, at, width_, height), text, Wrapping());
            });
        };
        // A section: its title and paragraphs, then a table of the rows
        // `rowsOf` gives each point, or `none` where no point has one (a
        // section with neither has no title). The title stands on the page
        // of what follows it. False when a write failed (told at the end).
        using Rows = std::vector<std::vector<QString>>;
        auto section = [&](const QString& title, const QStringList& paragraphs,
                           const std::vector<Column>* columns,
                           const std::function<Rows(std::size_t)>& rowsOf,
                           const QString& none = {}) {
            bool titled = false;
            auto titleWith = [&](qreal next) {
                if (titled) return;
                if (y + sectionTitle + next > bottom_) newPage();
                place(sectionTitle, [&](qreal at) { PaintSectionTitle(painter, at, title); });
                titled = true;
            };
            for (const QString& text : paragraphs) {
                titleWith(ParagraphHeight(painter, text, body_));
                paragraph(text);
            }
            bool any = false;
            if (columns) {
                const Row heading = LayRow(Headings(*columns), *columns, true, false);
                needHeading = true;
                for (std::size_t i = 0; i < count_; ++i) {
                    // A point's rows stay together where one page holds them.
                    std::vector<Row> rows;
                    qreal together = 0;
                    for (const std::vector<QString>& cells : rowsOf(i)) {
                        rows.push_back(LayRow(cells, *columns, false, !paint));
                        together += rows.back().height;
                    }
                    if (rows.empty()) continue;
                    titleWith(heading.height + rows.front().height);
                    if (!needHeading && y + together > bottom_ &&
                        top_ + heading.height + together <= bottom_) {
                        newPage();
                        needHeading = true;
                    }
                    for (const Row& row : rows) {
                        placeRow(row, *columns, heading.height, [&](qreal at) {
                            PaintCells(painter, heading, *columns, at, true);
                        });
                        any = true;
                        if (out_ && WriteFailed(*out_)) return false;
                    }
                }
            }
            if (!any && !none.isEmpty()) {
                titleWith(ParagraphHeight(painter, none, body_));
                paragraph(none);
            }
            return true;
        };
        // The rows (one or several) `cells` gives each computed point `listed` takes.
        auto computedRows = [&](auto listed, auto cells) {
            return [&, listed, cells](std::size_t i) {
                const StudyPointView p = at_(i);
                if (!ResultOf(p).Computed() || !listed(p)) return Rows{};
                if constexpr (std::is_same_v<decltype(cells(p)), Rows>)
                    return cells(p);
                else
                    return Rows{cells(p)};
            };
        };
        auto every = [](const StudyPointView&) { return true; };

        section(QStringLiteral("Scope"), ScopeParagraphs(options_, count_, survey_), nullptr,
                nullptr);
        if (!section(QStringLiteral("Data and assumptions"),
                     AssumptionParagraphs(options_, survey_), &sources_,
                     computedRows(every, [&](const StudyPointView& p) {
                         return SourceCells(p, options_.sep);
                     })))
            return true;
        // The one-line diagram on pages of its own, before the short-circuit table.
        for (std::size_t sheet = 0; oneLine_ && sheet < oneLine_->size(); ++sheet) {
            newPage();
            if (paint)
                oneLine_->Paint(painter, sheet, QRectF(margin_, y, width_, bottom_ - y), UnitsPerPoint(),
                                OneLineStyle{options_.units, options_.sep, {}, {}, {}});
            pageEmpty = false;
            if (sheet + 1 == oneLine_->size()) newPage();
        }
        // A network's buses and their fault currents, before the points.
        if (options_.network && !options_.network->buses.empty()) {
            const Row busHeading = LayRow(Headings(buses_), buses_, true, false);
            const auto& buses = options_.network->buses;
            for (std::size_t b = 0; b < buses.size(); ++b) {
                const Row row = LayRow(BusCells(buses[b], options_.shortCircuit.convention), buses_, false, !paint);
                if (b == 0) {
                    if (y + sectionTitle + busHeading.height + row.height > bottom_) newPage();
                    place(sectionTitle, [&](qreal at) {
                        PaintSectionTitle(painter, at, QStringLiteral("Short-circuit currents by bus"));
                    });
                    QString basis = QString::fromStdString(
                        ShortCircuitBasis(options_.shortCircuit, options_.network->tapsLeftOut));
                    if (!options_.network->scenario.empty())
                        basis += QStringLiteral(" The table is of the scenario ") +
                                 QString::fromStdString(options_.network->scenario) +
                                 QStringLiteral(
                                     "; each point is computed in every scenario (Scenarios "
                                     "compared, below).");
                    paragraph(basis);
                }
                placeRow(row, buses_, busHeading.height,
                         [&](qreal at) { PaintCells(painter, busHeading, buses_, at, true); });
            }
            needHeading = true;
            // The title on the page of the points' heading and first row.
            if (count_ > 0) {
                const Row first = LayRow(PointCells(at_(0), options_.units, options_.sep, options_.standard), points_, false, false);
                if (y + sectionTitle + band + pointHeading.height + first.height > bottom_) newPage();
            }
            place(sectionTitle, [&](qreal at) { PaintSectionTitle(painter, at, QStringLiteral("Points of work")); });
        }
        bool dc = false;
        for (std::size_t i = 0; i < count_; ++i) {
            const StudyPointView p = at_(i);
            if (const std::optional<Method> m = MethodOf(p.inputs); m && IsDcMethod(*m)) dc = true;
            placeRow(LayRow(PointCells(p, options_.units, options_.sep, options_.standard), points_, false, !paint), points_,
                     band + pointHeading.height,
                     paintPointHeading);
            const std::size_t done = paint ? count_ + i + 1 : i + 1;
            if (progress_ && !progress_(done, 2 * count_)) return false;
            if (out_ && WriteFailed(*out_)) return true;  // told at the end
        }

        // Each point's governing energy in every scenario, the worst marked: what
        // each configuration and maintenance switch gives.
        const auto& units = options_.units;
        const char sep = options_.sep;
        if (!section(QStringLiteral("Scenarios compared"), {}, &compared_,
                     computedRows(every,
                                  [&](const StudyPointView& p) {
                                      return ScenarioCompareRows(p, units, sep);
                                  }),
                     QStringLiteral(
                         "The study has no scenarios: the plant is studied in one configuration.")))
            return true;
        if (!section(
                QStringLiteral("Points above 40 cal/cm²"), {}, &above40_,
                computedRows([&](const StudyPointView& p) { return AboveDanger(p, units, sep); },
                             [&](const StudyPointView& p) { return Above40Cells(p, units, sep); }),
                QStringLiteral("No computed point is above 40 cal/cm².")))
            return true;
        // The devices of the computed rows that name one, with their settings
        // and the durations they gave.
        if (!section(
                QStringLiteral("Protective device settings"), {}, &devices_,
                computedRows(
                    [](const StudyPointView& p) { return ResultOf(p).full.duration.has_value(); },
                    [&](const StudyPointView& p) { return DeviceCells(p, sep); }),
                QStringLiteral("No point's arc duration came from a protective device.")))
            return true;
        // The arcs cleared in steps: each step of the governing case, with
        // what fed it and what ended it.
        if (!section(QStringLiteral("Arcs cleared in steps"), {}, &steps_, [&](std::size_t i) {
                std::vector<PointStep> steps;
                if (const PointResult& r = ResultOf(at_(i)); r.Computed())
                    steps = r.Governing().steps;
                Rows rows;
                for (std::size_t k = 0; steps.size() > 1 && k < steps.size(); ++k) {
                    // The names of the points whose devices opened, then the
                    // point again: a view holds only until the next is asked for.
                    std::vector<std::string> opened;
                    for (std::size_t row : steps[k].opened) opened.emplace_back(at_(row).name);
                    rows.push_back(StepCells(at_(i), k, opened, sep));
                }
                return rows;
            }))
            return true;
        if (!section(
                QStringLiteral("Label schedule"), {}, &schedule_,
                computedRows(every,
                             [&](const StudyPointView& p) { return ScheduleCells(p, options_); }),
                QStringLiteral("No point is computed: there are no labels.")))
            return true;

        // The points computed with a caution about their device's settings,
        // then the refused points: each with its status and message.
        auto listPoints = [&](const QString& title, bool (*listed)(const PointResult&)) {
            return section(title, {}, &refused_, [&](std::size_t i) {
                const StudyPointView p = at_(i);
                return listed(ResultOf(p)) ? Rows{RefusedCells(p)} : Rows{};
            });
        };
        // Not selective: an upstream device opened first (the message names both devices).
        if (!listPoints(QStringLiteral("Not selective"), [](const PointResult& r) { return r.NotSelective(); }) ||
            !listPoints(QStringLiteral("Points computed with a caution"),
                        [](const PointResult& r) { return r.status == PointStatus::Caution && !r.NotSelective(); }) ||
            !listPoints(QStringLiteral("Refused points"),
                        [](const PointResult& r) { return !r.Computed(); }))
            return true;
        place(sectionTitle, [&](qreal at) {
            PaintSectionTitle(painter, at, QStringLiteral("Methods and their ranges"));
        });
        std::vector<const char*> notes(std::begin(kMethodNotes), std::end(kMethodNotes));
        if (dc) notes.insert(notes.end() - 1, kDcMethodNote);
        for (const char* note : notes) paragraph(QString::fromUtf8(note));
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
            std::vector<StepDeviceView> others;
            std::vector<std::shared_ptr<const ProtectiveDevice>> held;
            {
                // The devices that open in the point's steps, in its worst
                // scenario, drawn beside its own: read before the point's
                // own view is asked for again (a view holds until the next).
                std::vector<PointStep> steps;
                {
                    const PointResult& r = ResultOf(at_(i));
                    if (!r.Computed() || !r.device || !r.full.duration) continue;
                    steps = r.Governing().steps;
                }
                for (const PointStep& s : steps) {
                    for (std::size_t k = 0; k < s.opened.size(); ++k) {
                        const std::size_t opened = s.opened[k];
                        std::shared_ptr<const ProtectiveDevice> d = k < s.openedDevices.size() ? s.openedDevices[k] : nullptr;
                        if (opened == i || opened >= count_ || !d) continue;
                        const double after = OpenedAfter(steps, opened).value_or(0);
                        others.push_back({d.get(), Text(OneLineName(at_(opened).name)) + QStringLiteral(", opens after ") +
                                                       Text(ArcDurationText(after, options_.sep)) + QStringLiteral(" s") +
                                                       SpecialProtectionNote(s, k),
                                          DeviceVolts(WithFromBusVolts(at_(opened), opened, options_.network.get()))});
                        held.push_back(std::move(d));
                    }
                }
            }
            const StudyPointView p = WithFromBusVolts(at_(i), i, options_.network.get());  // computed, with a device
            const TimeCurrentPlot plot = StudyRowTimeCurrentAt(p, others, options_.sep);  // at the lowest voltage
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
    std::vector<Column> points_, refused_, devices_, steps_, buses_, sources_, compared_, above40_,
        schedule_;
    std::vector<std::pair<const std::vector<Column>*, std::vector<qreal>>>
        widths_;  // of each table
    StudySurvey survey_;
    std::size_t page_ = 1, pageCount_ = 0;
    std::optional<OneLineSheets> oneLine_;
};

}  // namespace

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

StudyExportResult SaveStudyReportPdf(const QString& path, std::size_t count, const StudyPointAt& at,
                                     const StudyReportOptions& options,
                                     const StudyProgress& progress) {
    return SaveThrough(path, false, [&](QIODevice& out) {
        return WriteStudyReportPdf(out, count, at, options, progress);
    });
}

}  // namespace zentavo::render
