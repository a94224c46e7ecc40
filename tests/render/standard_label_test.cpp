// SPDX-License-Identifier: GPL-3.0-or-later
// The label after a standard on each of its pages, in each language and
// band, with short and long names: no text under 6 pt, none crossing
// another, a rule, the frame or the signal panel (kept 1 px clear at
// 300 dpi); a name of more than two lines cut with "…" at a word. And the
// signal panel as painted: red for DANGER, orange for WARNING, on the
// classic label too.
#include <QBuffer>
#include <QImage>
#include <stdexcept>
#include <utility>
#include <QtTest>

#include "label/layout.h"
#include "label/sheet.h"
#include "label/standard.h"
#include "render/label_painter.h"
#include "render/standard_label.h"

using namespace zentavo;
using namespace zentavo::render;

namespace {

LabelContentInputs Point(double calCm2) {
    LabelContentInputs in;
    in.method = kIeee2018Method;
    in.voltage = "13800";
    in.voltageV = 13800;
    in.incidentEnergy = calCm2 * kJoulePerCal;
    in.energy = QString::number(calCm2, 'f', 2).toStdString();
    in.boundary = "439";
    in.workDist = "36";
    in.limited = "60";
    in.restricted = "26";
    LabelDevice d;
    d.type = DeviceType::Relay;
    d.relayCurve = RelayCurve::IecVI;
    d.duration = "0.954";
    d.element = DeviceElement::Inverse;
    in.device = d;
    return in;
}

constexpr double kOnePixel = kUnitsPerInch / 300;

}  // namespace

class StandardLabelTest : public QObject {
    Q_OBJECT
private slots:
    void everyTextFitsItsPage() {
        const std::string shortName = "SWGR-1 incomer";
        const std::string twoLines = "Unit substation A 480 V feeder section, cubicle 4 of the north row";
        const std::string longName = std::string(40, 'W') + " " + [] {
            std::string s;
            for (int i = 0; i < 60; ++i) s += "feeder ";
            return s;
        }();
        int layouts = 0;
        for (LabelStandard standard : {LabelStandard::Nfpa70e, LabelStandard::CsaZ462}) {
            for (int lang : {kEnglish, kSpanish, kFrench}) {
                for (LabelPageSize size : {LabelPageSize::In6x4, LabelPageSize::In4x4, LabelPageSize::In5x3_5}) {
                    for (double cal : {0.8, 8.6, 20.0, 179.07}) {
                        for (const std::string* named : {&shortName, &twoLines, &longName}) {
                            const std::string& name = *named;
                            StandardLabelOptions o;
                            o.standard = standard;
                            o.language = lang;
                            o.size = size;
                            o.assessmentDate = {9, 12, 2026};
                            const StandardLabelLayout l = LayOutStandardLabel(MakeStandardLabel(Point(cal), name, o));
                            const QString where = QStringLiteral("%1 %2 %3 %4 %5")
                                                      .arg(int(standard)).arg(lang).arg(int(size)).arg(cal)
                                                      .arg(QString::fromStdString(name.substr(0, 12)));
                            Check(l, where);
                            QCOMPARE(l.nameCut, named == &longName);
                            ++layouts;
                        }
                    }
                }
            }
        }
        QCOMPARE(layouts, 216);

        // A label that cannot stand on its page even at 6 pt is not written
        // with a part missing.
        StandardLabelOptions o;
        o.standard = LabelStandard::Nfpa70e;
        o.size = LabelPageSize::In4x4;
        StandardLabel crowded = MakeStandardLabel(Point(8.6), "P", o);
        crowded.footer.assign(60, "Relay IEC-VI: arc duration 0.954 s (inverse)");
        QVERIFY(!LayOutStandardLabel(crowded).fits);
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        bool given = false;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, WriteStandardLabelPdf(pdf, [&]() -> const StandardLabel* {
            return std::exchange(given, true) ? nullptr : &crowded;
        }));
    }

    // What the painted label shows in its signal panel, after a standard and
    // on the classic label.
    void signalPanelColours() {
        StandardLabelOptions o;
        o.standard = LabelStandard::Nfpa70e;
        const QImage warning = StandardLabelImage(MakeStandardLabel(Point(8.6), "P", o), 100);
        const QImage danger = StandardLabelImage(MakeStandardLabel(Point(40.01), "P", o), 100);
        // Near the panel's left end, clear of the symbol and the word.
        QCOMPARE(warning.pixelColor(20, 20), QColor(255, 121, 0));
        QCOMPARE(danger.pixelColor(20, 20), QColor(200, 16, 46));

        for (double cal : {40.0, 40.01}) {
            LabelSheet sheet = ComposeLabel(DefaultLabelSettings(), {9, 12, 2026}, Point(cal), {});
            const QColor band = LabelImage(sheet).pixelColor(40, 20);
            if (cal > 40) {
                QCOMPARE(band, QColor(200, 16, 46));
            } else {
                QVERIFY2(band.red() > 200 && band.green() > 80 && band.green() < 150 && band.blue() < 60,
                         qPrintable(band.name()));  // the picture's orange
            }
        }
    }

private:
    static void Check(const StandardLabelLayout& l, const QString& where) {
        QRectF panel;
        std::vector<QRectF> rules;
        for (const PlacedFill& f : l.fills) (f.rule ? rules.push_back(f.rect) : void(panel = f.rect));
        const QRectF inside = QRectF(QPointF(0, 0), l.page).adjusted(0.05 * kUnitsPerInch, 0.05 * kUnitsPerInch,
                                                                     -0.05 * kUnitsPerInch, -0.05 * kUnitsPerInch);
        for (std::size_t i = 0; i < l.texts.size(); ++i) {
            const PlacedText& t = l.texts[i];
            const QString what = where + QStringLiteral(": ") + t.text;
            QVERIFY2(t.font.pixelSize() >= kSmallestLabelPoints * kUnitsPerInch / 72, qPrintable(what));
            const QRectF clear = t.box.adjusted(-kOnePixel, -kOnePixel, kOnePixel, kOnePixel);
            QVERIFY2(inside.contains(clear), qPrintable(what));
            for (const QRectF& r : rules) QVERIFY2(!clear.intersects(r), qPrintable(what));
            const bool signal = i == 0;  // the signal word, the first text, in its panel
            QVERIFY2(signal ? panel.contains(clear) : !clear.intersects(panel), qPrintable(what));
            for (std::size_t j = i + 1; j < l.texts.size(); ++j) {
                QVERIFY2(!t.box.intersects(l.texts[j].box), qPrintable(what + QStringLiteral(" / ") + l.texts[j].text));
            }
        }
        QVERIFY2(panel.contains(l.alertTriangle.boundingRect()), qPrintable(where));
    }
};

QTEST_MAIN(StandardLabelTest)
#include "standard_label_test.moc"
