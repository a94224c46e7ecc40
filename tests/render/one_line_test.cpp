// SPDX-License-Identifier: GPL-3.0-or-later
// The plant example's one-line painted: every note's lines written inside
// the box the layout gave its bus (read from the painter's own text calls
// on a recording device, under a zoom and a shift), each element's text
// beside its symbol, the buses tinted by their hazard in a picture; its SVG
// file; the report's one-line pages before the short-circuit table.
#include <QFile>
#include <QDir>
#include <QImage>
#include <QSet>
#include <QPaintEngine>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <memory>

#include "../picture_tools.h"
#include "../poppler_tools.h"
#include "engine/classification.h"
#include "oneline/diagram.h"
#include "oneline/layout.h"
#include "render/one_line_painter.h"
#include "render/study_pdf.h"
#include "study/study_file.h"

using namespace zentavo;
using namespace zentavo::render;

namespace {

// A paint device that keeps each text painted on it and where its baseline
// starts on the device, and paints nothing else.
class TextEngine : public QPaintEngine {
public:
    TextEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    struct Painted {
        QPointF at, end;  // where its baseline starts and ends
        QString text;
    };
    std::vector<Painted> texts;
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        texts.push_back({state->transform().map(p),
                         state->transform().map(p + QPointF(item.width(), 0)), item.text()});
    }
    Type type() const override { return QPaintEngine::User; }
};

class TextDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable TextEngine engine;

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
            case PdmWidth:
            case PdmHeight:
                return 20000;
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY:
                return 72;
            case PdmDepth:
                return 32;
            case PdmDevicePixelRatio:
                return 1;
            case PdmDevicePixelRatioScaled:
                return static_cast<int>(devicePixelRatioFScale());
            default:
                return 1;
        }
    }
};

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A substation with 14 motor control centres, each with a motor and one
// to three panels: too wide for a sheet, so wrapped into rows on one.
StudyFile WideSubstation() {
    const std::string row = "p,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,";
    std::string study =
        "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,bus,"
        "from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,cable_r,cable_x,motor_kva\n"
        "p,empirical,13800,32,455,Switchgear,Grounded,0.2,0.2,U,,source,25,15,,,,,,,\n" +
        row + "SWG,U,transformer,,,2000,5.75,6,,,,\n";
    for (int m = 1; m <= 14; ++m) {
        const std::string mcc = "MCC" + std::to_string(m);
        study += row + mcc + ",SWG,cable,,,,,,30,0.1,0.08,200\n";
        for (int p = 0; p <= m % 3; ++p)
            study += row + mcc + "-P" + std::to_string(p) + "," + mcc + ",cable,,,,,,20,0.1,0.08,\n";
    }
    return StudyFile::Parse(study, StudyOptions{});
}

// Bus and device names longer than a column, a rating of five digits.
StudyFile LongNames() {
    return StudyFile::Parse(
        "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_"
        "reduced,bus,"
        "from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,cable_r,cable_x,"
        "motor_kva,"
        "device_type,trip_rating\n"
        "Utility,empirical,13800,153,910,Switchgear,Grounded,0.2,0.2,Utility service "
        "entrance,,source,25,15,,,,,,,,,\n"
        "Main breaker of unit substation A,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,Unit "
        "substation A main "
        "bus,Utility service entrance,transformer,,,7500,2,6,,,,,trip-unit,10000\n"
        "Motor control centre feeder,empirical,480,25,455,MCC,Grounded,0.2,0.2,Motor control "
        "centre one,Unit "
        "substation A main bus,cable,,,,,,1200.5,0.01,0.01,200,trip-unit,600\n",
        StudyOptions{});
}

StudyFile Plant() {
    QFile f(QStringLiteral(ZENTAVO_EXAMPLES_DIR "/plant-network.csv"));
    if (!f.open(QIODevice::ReadOnly)) qFatal("no plant example");
    return StudyFile::Parse(f.readAll().toStdString(), StudyOptions{});
}

// The study's points as the report takes them, their texts held here.
struct Points {
    explicit Points(const StudyFile& file) : file_(file), texts_(file.RowCount()), names_(file.RowCount()) {
        for (std::size_t i = 0; i < file.RowCount(); ++i) {
            names_[i] = file.Point(i);
            for (int c = 0; c < kStudyInputColumnCount; ++c)
                texts_[i][static_cast<std::size_t>(c)] = file.Input(i, static_cast<StudyInputColumn>(c));
        }
    }
    StudyPointView operator()(std::size_t i) const {
        StudyPointView v;
        v.name = names_[i];
        for (std::size_t c = 0; c < texts_[i].size(); ++c) v.inputs[c] = texts_[i][c];
        v.result = &file_.Result(i);
        return v;
    }
    const StudyFile& file_;
    std::vector<std::array<std::string, kStudyInputColumnCount>> texts_;
    std::vector<std::string> names_;
};

}  // namespace

class OneLineTest : public QObject {
    Q_OBJECT

private slots:
    // The plant side by side, a wide substation wrapped into rows, names
    // longer than a column.
    void notesAndTextsStandWhereTheLayoutPutThem_data() {
        QTest::addColumn<int>("study");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("buses");
        QTest::newRow("plant") << 0 << 0 << 32;
        QTest::newRow("wide substation in rows") << 1 << 9 << 45;
        QTest::newRow("long names") << 2 << 0 << 3;
    }
    void notesAndTextsStandWhereTheLayoutPutThem() {
        QFETCH(int, study);
        QFETCH(int, columns);
        QFETCH(int, buses);
        const StudyFile file = study == 0 ? Plant() : study == 1 ? WideSubstation() : LongNames();
        const oneline::Diagram d = oneline::StudyDiagram(file);
        const oneline::Layout l = oneline::LayOut(d, static_cast<std::size_t>(columns));
        QCOMPARE(d.buses.size(), static_cast<std::size_t>(buses));
        QCOMPARE(std::any_of(l.buses.begin(), l.buses.end(),
                             [](const oneline::PlacedBus& b) { return !b.rows.empty(); }),
                 study == 1);
        TextDevice device;
        QTransform zoom;
        zoom.translate(40, 25);
        zoom.scale(1.5, 1.5);
        {
            QPainter painter(&device);
            painter.setTransform(zoom);
            PaintOneLine(painter, d, l, OneLineStyle{});
        }
        const QTransform back = zoom.inverted();
        const auto& painted = device.engine.texts;
        // The texts painted with their baselines' starts in the box, in
        // the order painted, joined by spaces (an ellipsis painted as a
        // text of its own, from another font, kept on the text before it);
        // one that runs out of the box marked.
        auto paintedIn = [&](const oneline::Box& box) {
            QStringList in;
            for (const TextEngine::Painted& p : painted) {
                const QPointF at = back.map(p.at);
                if (!box.Contains({at.x(), at.y()})) continue;
                if (back.map(p.end).x() > box.x + box.w + 1)
                    in << QStringLiteral("[out of the box]");
                if (p.text == QString(QChar(0x2026)) && !in.isEmpty())
                    in.back() += p.text;
                else
                    in << p.text;
            }
            return in.join(QLatin1Char(' '));
        };
        // Each note's lines whole in its box, in order, those too wide for
        // it wrapped between words ("13.88 cal/cm2," "PPE 3"), none cut.
        for (std::size_t b = 0; b < d.buses.size(); ++b) {
            QStringList lines;
            for (const std::string& line : oneline::BusNote(d.buses[b], UnitSettings{}, '.'))
                if (!line.empty()) lines << Q(line);
            QCOMPARE(paintedIn(l.buses[b].note), lines.join(QLatin1Char(' ')));
            // The name nowhere else.
            QCOMPARE(std::count_if(painted.begin(), painted.end(),
                                   [&](const TextEngine::Painted& p) {
                                       const QPointF at = back.map(p.at);
                                       return p.text == Q(d.buses[b].name) &&
                                              !l.buses[b].note.Contains({at.x(), at.y()});
                                   }),
                     0);
        }
        // Each element's lines in its text box, in order, wrapped but whole;
        // only its device's name cut short to the box's width ("Unit su…").
        for (std::size_t e = 0; e < d.elements.size(); ++e) {
            const oneline::PlacedElement& p = l.elements[e];
            const QString in = paintedIn({p.text.x - 0.5, p.text.y, p.text.w, p.text.h});
            QStringList lines;
            for (const std::string& line : oneline::ElementLines(d.elements[e], '.'))
                lines << Q(line);
            if (d.elements[e].deviceName.empty()) {
                QCOMPARE(in, lines.join(QLatin1Char(' ')));
                continue;
            }
            const QString name = lines.takeFirst(), rest = lines.join(QLatin1Char(' '));
            QVERIFY2(in.endsWith(rest), qPrintable(in + " | " + rest));
            QString shown = in.chopped(rest.size()).trimmed();
            if (shown.endsWith(QChar(0x2026))) shown.chop(1);
            QVERIFY2(shown.size() >= 2 && name.startsWith(shown), qPrintable(in + " | " + name));
        }
    }

    // The picture itself: letters in every note, each bus bar in the tint
    // of its worst point (red for the substations above 40 cal/cm2).
    void busesTintedByTheirHazard() {
        const StudyFile file = Plant();
        const oneline::Diagram d = oneline::StudyDiagram(file);
        const oneline::Layout l = oneline::LayOut(d);
        QImage image(static_cast<int>(l.width), static_cast<int>(l.height), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PaintOneLine(painter, d, l, OneLineStyle{});
        }
        int red = 0;
        for (std::size_t b = 0; b < d.buses.size(); ++b) {
            const oneline::PlacedBus& p = l.buses[b];
            const auto tint = PpeTint(d.buses[b].ppeIndex);
            QVERIFY2(PaintedNear(image, QPointF((p.x0 + p.x1) / 2, p.y), tint ? *tint : 0x303030u),
                     qPrintable(Q(d.buses[b].name)));
            red += tint == 0xE85050u;
            int dark = 0;
            for (int y = static_cast<int>(p.note.y); y < static_cast<int>(p.note.y + p.note.h); ++y) {
                for (int x = static_cast<int>(p.note.x); x < static_cast<int>(p.note.x + p.note.w); ++x)
                    dark += qGray(image.pixel(x, y)) < 100;
            }
            QVERIFY2(dark > 100, qPrintable(Q(d.buses[b].name)));
        }
        QCOMPARE(red, 2);  // SUB-A and SUB-B: 108.25 and 96.00 cal/cm2
    }

    // A wrapped bus's further rows and its riser painted as its bar is.
    void aWrappedBusPaintedOnEveryRow() {
        const oneline::Diagram d = oneline::StudyDiagram(WideSubstation());
        const oneline::Layout l = oneline::LayOut(d, 9);
        QImage image(static_cast<int>(l.width), static_cast<int>(l.height), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PaintOneLine(painter, d, l, OneLineStyle{});
        }
        int rows = 0;
        for (std::size_t b = 0; b < d.buses.size(); ++b) {
            const oneline::PlacedBus& p = l.buses[b];
            const auto tint = PpeTint(d.buses[b].ppeIndex);
            const unsigned colour = tint ? *tint : 0x303030u;
            for (const oneline::PlacedBus::Row& row : p.rows) {
                ++rows;
                QVERIFY2(PaintedNear(image, QPointF((p.x0 + row.x1) / 2, row.y), colour), qPrintable(Q(d.buses[b].name)));
                QVERIFY(PaintedNear(image, QPointF(p.riser, (p.y + row.y) / 2), colour));
            }
        }
        QVERIFY(rows >= 2);
    }

    void svgHoldsTheBusesAndIsWrittenWhole() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("plant.svg"));
        const oneline::Diagram d = oneline::StudyDiagram(Plant());
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older");
        old.close();
        OneLineStyle style;
        style.caption = OneLineCaption(d);
        QCOMPARE(SaveOneLineSvg(path, d, style).outcome, StudyExportResult::kWritten);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString svg = QString::fromUtf8(f.readAll());
        QVERIFY(svg.contains(QStringLiteral("<svg")));
        QVERIFY(svg.contains(QStringLiteral("<title>One-line diagram, scenario normal</title>")));
        for (const oneline::DiagramBus& b : d.buses) QVERIFY2(svg.contains(QLatin1Char('>') + Q(b.name) + QLatin1Char('<')), qPrintable(Q(b.name)));
        // Nothing to draw: no file, the older one kept.
        const QString none = dir.filePath(QStringLiteral("none.svg"));
        QCOMPARE(SaveOneLineSvg(none, oneline::Diagram{}, style).outcome, StudyExportResult::kNothingToWrite);
        QVERIFY(!QFile::exists(none));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }

    // A one-line of 1000 buses, a chain 30 deep beside 970 buses fed from
    // one: cut into sheets at the readable scale, each note whole on a
    // sheet of the layout the sheets chose, and no sheet without a note.
    void aThousandBusesOnTheSheetsTheirWidthNeeds() {
        std::string study =
            "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,bus,"
            "from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,cable_r,cable_x\n"
            "p,empirical,13800,32,455,Switchgear,Grounded,0.2,0.2,B0,,source,25,15,,,,,,\n"
            "p,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,B1,B0,transformer,,,2000,5.75,6,,,\n";
        for (int b = 2; b < 1000; ++b) {
            const int from = b <= 30 ? b - 1 : 5;
            study += "p,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,B" + std::to_string(b) + ",B" +
                     std::to_string(from) + ",cable,,,,,,30,0.1,0.08\n";
        }
        const auto d = std::make_shared<const oneline::Diagram>(
            oneline::StudyDiagram(StudyFile::Parse(study, StudyOptions{})));
        QCOMPARE(d->buses.size(), std::size_t{1000});
        const OneLineSheets sheets(d, QSizeF(770, 489));
        const oneline::Layout& l = sheets.layout();
        QVERIFY(sheets.scale() >= kReadableScale - 1e-9);
        std::vector<bool> holdsNote(sheets.size(), false);
        for (std::size_t s = 0; s < sheets.size(); ++s) {
            QVERIFY(sheets.Part(s).width() * sheets.scale() <= 770 + 1e-6);
        }
        for (const oneline::PlacedBus& b : l.buses) {
            const QRectF note(b.note.x, b.note.y, b.note.w, b.note.h);
            bool whole = false;
            for (std::size_t s = 0; s < sheets.size(); ++s) {
                if (sheets.Part(s).contains(note)) whole = holdsNote[s] = true;
            }
            QVERIFY(whole);
        }
        QVERIFY(std::all_of(holdsNote.begin(), holdsNote.end(), [](bool h) { return h; }));
        // The 970 buses wrapped into rows under the one feeding them, one
        // sheet across: 24 sheets (31 with the columns 120 points wide, 101
        // side by side).
        QVERIFY(std::any_of(l.buses.begin(), l.buses.end(), [](const oneline::PlacedBus& b) { return !b.rows.empty(); }));
        QVERIFY2(sheets.size() <= 26, qPrintable(QString::number(sheets.size())));
    }

    // The report: the one-line on sheets of its own right after the first
    // page, as vectors and text, the short-circuit table after them.
    void reportCarriesTheOneLineBeforeTheShortCircuitTable() {
        QTemporaryDir dir;
        const StudyFile file = Plant();
        const Points points(file);
        StudyReportOptions o;
        o.network = std::make_shared<const NetworkSummary>(SummarizeNetwork(*file.Network(), file.ScenarioNames().front()));
        o.oneLine = std::make_shared<const oneline::Diagram>(oneline::StudyDiagram(file));
        const QString path = dir.filePath(QStringLiteral("report.pdf"));
        const StudyPointAt at = [&points](std::size_t i) { return points(i); };
        QCOMPARE(SaveStudyReportPdf(path, file.RowCount(), at, o, {}).outcome, StudyExportResult::kWritten);
        const QStringList pages = RunPdfTool("pdftotext", {"-layout", path, "-"}).split(QLatin1Char('\f'));
        int first = -1, last = -1, table = -1;
        QSet<QString> named;
        for (int p = 0; p < pages.size(); ++p) {
            if (pages[p].contains(QStringLiteral("One-line diagram, scenario normal"))) {
                if (first < 0) first = p;
                last = p;
                for (const oneline::DiagramBus& b : o.oneLine->buses) {
                    if (pages[p].contains(Q(b.name))) named.insert(Q(b.name));
                }
                QVERIFY(!pages[p].contains(QStringLiteral("Short-circuit currents by bus")));
            }
            if (table < 0 && pages[p].contains(QStringLiteral("Short-circuit currents by bus"))) table = p;
        }
        QVERIFY(first >= 1);  // after the Scope and the Data and assumptions
        QVERIFY2(last - first + 1 > 1, "the plant takes more than one sheet at a readable scale");
        QVERIFY(pages[last].contains(QStringLiteral("sheet %1 of %1").arg(last - first + 1)));
        QCOMPARE(table, last + 1);
        QCOMPARE(named.size(), 32);
        // Drawn, not pasted as a picture.
        QCOMPARE(RunPdfTool("pdfimages", {"-list", path}).trimmed().split(QLatin1Char('\n')).size(), 2);
    }
};

QTEST_MAIN(OneLineTest)
#include "one_line_test.moc"
