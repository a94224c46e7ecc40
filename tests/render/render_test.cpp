// SPDX-License-Identifier: GPL-3.0-or-later
// The painted label: every text inside the picture's frame in every
// language, colour, row set and PPE level; pictures and PDF pages as saved.
#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <map>
#include <vector>

#include "../poppler_tools.h"
#include "label/sheet.h"
#include "render/label_painter.h"

using namespace zentavo;
using namespace zentavo::render;

namespace {

const auto Run = RunPdfTool;

// The results of one calculation at a PPE level, with the widest texts the
// results window writes.
LabelContentInputs Results(int level) {
    static const char* const energies[] = {"0.73", "1.83", "7.34", "18.35", "36.72", "73.44"};
    LabelContentInputs in;
    in.method = kEmpiricalMethod;
    in.equipmentClass = "MCC and Panels";
    in.grounding = "ungrounded";
    in.workDist = "17.9";
    in.boltedCurrent = "106";
    in.voltage = "14999.9";
    in.energy = in.energyReduced = energies[level];
    in.boundary = in.boundaryReduced = "1234.5";
    in.ppe = in.ppeReduced = level == 5 ? "N/A" : std::to_string(level);
    in.limited = "1600", in.restricted = "Avoid contact", in.prohibited = "Avoid contact";
    in.pressure = in.pressureReduced = "123456";
    in.tnt = in.tntReduced = "1234.5";
    in.units.WorkDistUnit = in.units.BoundaryUnit = LengthUnit::Inches;
    in.units.PressureUnit = BlastPressureUnit::Atmospheres;
    in.units.TntUnit = TntMassUnit::Grams;
    in.ppeIndex = in.ppeIndexReduced = level;
    in.incidentEnergy = in.incidentEnergyReduced = 1;
    in.arcPressure = in.arcPressureReduced = 1;
    in.tntEquivalent = in.tntEquivalentReduced = 1;
    in.voltageV = 480, in.gapMm = 32;
    return in;
}

// Options with the given value rows (entries 2 to 14) and user rows checked,
// the name and the date shown.
LabelSettings Options(int language, bool colour, const std::vector<int>& rows, int userRows) {
    LabelSettings s = DefaultLabelSettings();
    s.LabelLanguage = language;
    s.LabelInColor = colour;
    for (std::size_t k = kEntryEquipmentType; k <= kEntryClothing; ++k) s.ContentItems[k].Checked = false;
    for (int k : rows) s.ContentItems[static_cast<std::size_t>(k)].Checked = true;
    s.ContentItems[kEntryDate].Checked = true;
    s.ContentItems.push_back({"Upstream protective device and its setting", userRows > 0, false});
    s.ContentItems.push_back({"Permit to work", userRows > 1, false});
    s.LabelLineCount = CountLabelLines(s.ContentItems);
    return s;
}

// Row sets: each row alone, the first k rows for every count (every row
// step and font size), the start states, and all rows with the clothing.
std::vector<std::vector<int>> RowSets() {
    std::vector<std::vector<int>> sets;
    for (int k = kEntryEquipmentType; k <= kEntryClothing; ++k) sets.push_back({k});
    for (int n = 0; n <= 13; ++n) {
        std::vector<int> first;
        for (int k = 0; k < n; ++k) first.push_back(kEntryEquipmentType + k);
        sets.push_back(first);
    }
    sets.push_back({2, 3, 4, 5, 9, 10, 13});
    sets.push_back({13, 14});
    sets.push_back({2, 4, 6, 8, 10, 12, 14});
    return sets;
}

struct Label {
    QString name;
    LabelSheet sheet;
};

// Every language x colour x row set x user rows x PPE level 0 to 5, with a
// name of thirty wide capitals and user-row values of 32.
std::vector<Label> EveryLabel() {
    std::vector<Label> out;
    const LabelUserTexts user{std::string(30, 'W'), std::string(32, 'W'), std::string(32, 'M')};
    const auto sets = RowSets();
    for (int language = 0; language < 3; ++language) {
        for (bool colour : {true, false}) {
            for (std::size_t set = 0; set < sets.size(); ++set) {
                for (int userRows = 0; userRows <= 2; ++userRows) {
                    for (int level = 0; level <= 5; ++level) {
                        const LabelSettings s = Options(language, colour, sets[set], userRows);
                        out.push_back({QStringLiteral("lang %1 %2 set %3 user %4 level %5")
                                           .arg(language)
                                           .arg(colour ? "colour" : "bw")
                                           .arg(set)
                                           .arg(userRows)
                                           .arg(level),
                                       ComposeLabel(s, {28, 12, 2026}, Results(level), user)});
                    }
                }
            }
        }
    }
    return out;
}

bool Fits(const QFont& font, const QString& text, qreal room) {
    QFont unhinted = font;
    unhinted.setHintingPreference(QFont::PreferNoHinting);
    return QFontMetricsF(font).horizontalAdvance(text) <= room &&
           QFontMetricsF(unhinted).horizontalAdvance(text) <= room;
}

}  // namespace

class RenderTest : public QObject {
    Q_OBJECT

private slots:
    // The frame of the picture as drawn: black just outside the inside
    // rectangle on all four sides, white just within it.
    void frameInsideMatchesThePicture() {
        LabelSheet blank;
        const QImage image = [&] {
            QImage im(kLabelWidth, kLabelHeight, QImage::Format_RGB888);
            QPainter p(&im);
            PaintLabel(p, blank, LabelPicture(1, kPictureOnPanel.size()));
            return im;
        }();
        const QRect inside = FrameInside().toAlignedRect();
        auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 80; };
        const int midY = 300, midX = 300;
        QVERIFY(dark(inside.left() - 2, midY) && !dark(inside.left() + 2, midY));
        QVERIFY(dark(inside.right() + 2, midY) && !dark(inside.right() - 2, midY));
        QVERIFY(dark(midX, inside.bottom() + 2) && !dark(midX, inside.bottom() - 3));
        QVERIFY(dark(midX, inside.top() - 1));
    }

    // No text crosses the frame, no two texts on a line run into each other,
    // and a text is made smaller only when its own size does not fit, and
    // then only as much as needed.
    void everyTextStaysInsideTheFrame() {
        const QRectF frame = FrameInside();
        int labels = 0, shrunk = 0;
        for (const Label& label : EveryLabel()) {
            ++labels;
            const std::vector<DrawnText> texts = LabelTexts(label.sheet);
            for (const DrawnText& t : texts) {
                const QString where = label.name + " " + QString::fromStdString(t.slot) + " \"" + t.text + "\"";
                QVERIFY2(frame.contains(t.box), qPrintable(where));
                QVERIFY2(t.box.right() <= t.roomRight, qPrintable(where));
                QVERIFY2(!t.text.contains(QChar(0x2026)), qPrintable(where));  // never shortened here
                const int px = t.font.pixelSize();
                QVERIFY2(px <= t.layoutPixelSize, qPrintable(where));
                if (px < t.layoutPixelSize) {
                    ++shrunk;
                    QFont larger = t.font;
                    larger.setPixelSize(px + 1);
                    QVERIFY2(!Fits(larger, t.text, t.roomRight - t.rect.left()), qPrintable(where));
                }
                // Texts on one line (sharing more than a descender's height) keep apart.
                for (const DrawnText& other : texts) {
                    if (other.rect.left() <= t.rect.left()) continue;
                    const bool sameLine = std::min(t.box.bottom(), other.box.bottom()) -
                                              std::max(t.box.top(), other.box.top()) > 4;
                    QVERIFY2(!sameLine || t.box.right() < other.box.left(),
                             qPrintable(where + " runs into " + other.text));
                }
            }
        }
        QCOMPARE(labels, 3 * 2 * static_cast<int>(RowSets().size()) * 3 * 6);
        QVERIFY(shrunk > 0);
    }

    // What the painter puts on the picture agrees: painted without the
    // background picture, nothing but the outer line lies outside the frame.
    void nothingIsPaintedOutsideTheFrame() {
        const QRect frame = FrameInside().toAlignedRect();
        int checked = 0;
        const auto labels = EveryLabel();
        for (std::size_t i = 0; i < labels.size(); i += 13) {  // a spread sample: painting is slow
            QImage im(kLabelWidth, kLabelHeight, QImage::Format_RGB888);
            QPainter p(&im);
            PaintLabel(p, labels[i].sheet, QImage());
            p.end();
            for (int y = 1; y < kLabelHeight - 1; ++y) {
                for (int x = 1; x < kLabelWidth - 1; ++x) {
                    if (frame.contains(x, y) || im.pixel(x, y) == qRgb(255, 255, 255)) continue;
                    QFAIL(qPrintable(QStringLiteral("%1: ink at %2, %3").arg(labels[i].name).arg(x).arg(y)));
                }
            }
            ++checked;
        }
        QVERIFY(checked > 100);
    }

    // A text of no size that could fit is shortened, never drawn across the frame.
    void anEndlessTitleIsShortened() {
        LabelSettings s = Options(0, true, {13}, 1);
        s.ContentItems[kEntryUserRow1].Text = std::string(400, 'W');
        const LabelSheet sheet = ComposeLabel(s, {1, 1, 2027}, Results(2), {});
        bool found = false;
        for (const DrawnText& t : LabelTexts(sheet)) {
            QVERIFY(FrameInside().contains(t.box));
            if (t.slot == "Label22") {
                found = true;
                QVERIFY(t.text.endsWith(QChar(0x2026)));
                QVERIFY(t.box.right() <= t.roomRight);
            }
        }
        QVERIFY(found);
    }

    void labelImageIsTheSavedPicture() {
        const LabelSheet sheet = ComposeLabel(DefaultLabelSettings(), {1, 1, 2027}, Results(2), {"MCC-1", "", ""});
        const QImage image = LabelImage(sheet);
        QCOMPARE(image.size(), QSize(668, 464));
        QCOMPARE(image.format(), QImage::Format_RGB888);
        QCOMPARE(image.pixel(0, 200), qRgb(0, 0, 0));    // the outer line
        QCOMPARE(image.pixel(1, 200), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(100, 3), qRgb(255, 255, 255));  // the panel hides the picture's top row
        // The coloured values are red; in black and white they are not.
        auto reds = [](const QImage& im) {
            int n = 0;
            for (int y = 0; y < im.height(); ++y)
                for (int x = 340; x < im.width(); ++x) n += im.pixel(x, y) == qRgb(255, 0, 0);
            return n;
        };
        QVERIFY(reds(image) > 50);
        LabelSettings bw = DefaultLabelSettings();
        bw.LabelInColor = false;
        QCOMPARE(reds(LabelImage(ComposeLabel(bw, {1, 1, 2027}, Results(2), {}))), 0);
    }

    // One PDF page of 6 x 4 inches per label, the words as text, inside the
    // frame on the page too, and each picture stored once.
    void pdfHasOnePagePerLabel() {
        std::vector<LabelSheet> sheets;
        for (int level : {4, 3, 4}) {
            LabelSettings s = Options(2, true, {13, 14}, 0);
            sheets.push_back(ComposeLabel(s, {1, 1, 2027}, Results(level), {std::string(30, 'W'), "", ""}));
        }
        sheets[1].picture = 5;  // French, black and white
        QTemporaryDir dir;
        const QString path = dir.filePath("labels.pdf");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        std::size_t next = 0;
        const int pages = WriteLabelPdf(file, [&]() -> const LabelSheet* {
            return next < sheets.size() ? &sheets[next++] : nullptr;
        });
        file.close();
        QCOMPARE(pages, 3);
        const QString info = Run("pdfinfo", {path});
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+3\\n")), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Page size:\\s+432 x 288 pts")), qPrintable(info));
        const QString images = Run("pdfimages", {"-list", path});
        // Three pages draw a picture; two pictures are stored.
        QSet<QString> stored;
        int drawn = 0;
        for (const QString& line : images.split('\n')) {
            const QStringList f = line.simplified().split(' ');
            if (f.size() < 12 || f[3] != "1500" || f[4] != "1147") continue;
            ++drawn;
            stored.insert(f[10]);  // the object number
        }
        QCOMPARE(drawn, 3);
        QCOMPARE(stored.size(), 2);

        // Word boxes in points: within the frame scaled onto the page.
        const qreal scale = std::min(432.0 / kLabelWidth, 288.0 / kLabelHeight);
        const qreal left = (432.0 - kLabelWidth * scale) / 2, top = (288.0 - kLabelHeight * scale) / 2;
        const QRectF frame = FrameInside();
        const QRectF framePt(left + frame.x() * scale, top + frame.y() * scale, frame.width() * scale,
                             frame.height() * scale);
        const QString boxes = Run("pdftotext", {"-bbox", "-f", "1", "-l", "1", path, "-"});
        QRegularExpression word("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)<");
        int words = 0;
        bool clothing = false;
        for (const auto& m : word.globalMatch(boxes)) {
            ++words;
            const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
            QVERIFY2(box.right() <= framePt.right(), qPrintable(m.captured(5)));
            clothing = clothing || m.captured(5) == "souliers";
        }
        QVERIFY(words > 20);
        QVERIFY(clothing);
    }

    // Between any text and any rule of the picture (its black lines, the
    // frame among them) at least one pixel stays white, in every language
    // and colour, at every PPE level, with all thirteen rows and with the
    // user rows below them. The rules are read off the picture; the ink off
    // the texts painted alone.
    void whiteBetweenTextAndRule() {
        // Rule pixels: dark (the line and its smoothed edges), in a run of at
        // least 40 pixels across or down.
        auto rules = [](const QImage& picture) {
            const int w = picture.width(), h = picture.height();
            std::vector<char> rule(static_cast<std::size_t>(w * h), 0);
            auto black = [&](int x, int y) { return qMax(qMax(qRed(picture.pixel(x, y)), qGreen(picture.pixel(x, y))),
                                                         qBlue(picture.pixel(x, y))) < 200; };
            for (int across = 0; across < 2; ++across) {
                const int lines = across ? h : w, length = across ? w : h;
                for (int l = 0; l < lines; ++l) {
                    for (int start = 0; start < length;) {
                        int end = start;
                        while (end < length && (across ? black(end, l) : black(l, end))) ++end;
                        if (end - start >= 40) {
                            for (int i = start; i < end; ++i) rule[static_cast<std::size_t>(across ? l * w + i : i * w + l)] = 1;
                        }
                        start = end + 1;
                    }
                }
            }
            return rule;
        };
        // The user's texts reach as high and as low as letters go.
        const std::string kTall = "\xC3\x81\xC3\x89 Bgjpqy|()";  // "ÁÉ Bgjpqy|()"
        std::map<int, std::vector<char>> rulesOf;
        int labels = 0;
        QStringList touching;
        for (int language = 0; language < 3; ++language) {
            for (bool colour : {true, false}) {
                for (int userRows = 0; userRows <= 2; ++userRows) {
                    for (int level = 0; level <= 5; ++level) {
                        const LabelSettings s = Options(language, colour, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, userRows);
                        const LabelSheet sheet = ComposeLabel(s, {28, 12, 2026}, Results(level), {kTall, kTall, kTall});
                        if (!rulesOf.count(sheet.picture)) {
                            QImage picture(kLabelWidth, kLabelHeight, QImage::Format_RGB888);
                            QPainter p(&picture);
                            PaintLabel(p, LabelSheet{sheet.picture, {}}, LabelPicture(sheet.picture, kPictureOnPanel.size()));
                            p.end();
                            rulesOf[sheet.picture] = rules(picture);
                        }
                        const std::vector<char>& rule = rulesOf[sheet.picture];
                        QImage ink(kLabelWidth, kLabelHeight, QImage::Format_RGB888);
                        QPainter p(&ink);
                        PaintLabel(p, sheet, QImage());
                        p.end();
                        ++labels;
                        // Inside the outer line, no pixel of ink has a rule pixel beside it.
                        auto touches = [&](int x, int y) {
                            for (int dy = -1; dy <= 1; ++dy) {
                                for (int dx = -1; dx <= 1; ++dx) {
                                    if (rule[static_cast<std::size_t>((y + dy) * kLabelWidth + x + dx)]) return true;
                                }
                            }
                            return false;
                        };
                        for (const DrawnText& t : LabelTexts(sheet)) {
                            const QRect box = t.box.toAlignedRect().adjusted(-1, -1, 1, 1) & QRect(2, 2, kLabelWidth - 4, kLabelHeight - 4);
                            bool found = false;
                            for (int y = box.top(); y <= box.bottom() && !found; ++y) {
                                for (int x = box.left(); x <= box.right() && !found; ++x) {
                                    found = ink.pixel(x, y) != qRgb(255, 255, 255) && touches(x, y);
                                    if (found) {
                                        touching << QStringLiteral("language %1 %2, user rows %3, level %4: %5 \"%6\" at %7, %8")
                                                        .arg(language).arg(colour ? "colour" : "bw").arg(userRows).arg(level)
                                                        .arg(QString::fromStdString(t.slot), t.text).arg(x).arg(y);
                                    }
                                }
                            }
                        }
                    }
                }
            }
        }
        QCOMPARE(labels, 3 * 2 * 3 * 6);
        for (const QString& t : touching) qWarning("%s", qPrintable(t));
        QVERIFY2(touching.isEmpty(), qPrintable(QStringLiteral("%1 texts touch a rule").arg(touching.size())));
    }

    void noLabelNoPage() {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QCOMPARE(WriteLabelPdf(buffer, [] { return static_cast<const LabelSheet*>(nullptr); }), 0);
    }
};

QTEST_MAIN(RenderTest)
#include "render_test.moc"
