// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the background pictures of the printed warning label, in colour and
// in grey, for each label language, and writes them as JPEG files:
//   build/tools/label_art OUTPUT_DIR
// The program lays the label rows over these pictures, so the body between
// the hazard header and the equipment band must stay plain white.
//
// Two more modes help when changing the drawing:
//   build/tools/label_art --preview LABEL_DIR PREVIEW_DIR
//     reads the JPEG files back and writes PNG copies, the pictures at the
//     size the program shows them, and a mock-up of the label panel with
//     sample rows laid over the picture;
//   build/tools/label_art --check LABEL_DIR
//     reads the JPEG files back and reports anything drawn in the white
//     body or the footer, and any colour in the grey pictures.
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Picture size. The program shows it at 623 x 453 with its top-left corner
// at (5, -1) of the label panel.
constexpr int kWidth = 1500;
constexpr int kHeight = 1147;
constexpr int kJpegQuality = 92;

constexpr double kPanelLeft = 5.0;
constexpr double kPanelTop = -1.0;
constexpr double kShownWidth = 623.0;
constexpr double kShownHeight = 453.0;

// Everything below is in picture pixels. The header's edges sit on multiples
// of 8, so that the white body starts on a whole JPEG block and comes back
// from the file untouched; the two lower rules sit where the program writes
// the equipment name (panel y 413 and 434).
constexpr int kBorder = 8;           // outer black frame
constexpr int kTopBorder = 11;       // the program hides the top row or two
constexpr int kSignalBottom = 224;   // bottom of the signal word band
constexpr int kRuleUnderSignal = 8;  // black rule between the two bands
constexpr int kHazardBottom = 456;   // bottom of the hazard statement band
constexpr int kRuleUnderHazard = 8;  // black rule closing the header
constexpr int kBodyTop = kHazardBottom + kRuleUnderHazard;  // 464
constexpr int kBodyBottom = 1046;    // first rule above the equipment band
constexpr int kThinRule = 6;
constexpr int kFooterRule = 1098;    // second rule, under the equipment band

// The safety alert symbol is this much taller than the signal word's
// capitals, and stands this fraction of its width away from the word.
constexpr double kSymbolToCap = 1.40;
constexpr double kSymbolGap = 0.28;

// ANSI Z535 safety orange.
const QColor kSafetyOrange(255, 110, 0);

struct Language {
    const char* code;
    QString signalWord;
    QStringList hazardLines;
};

QList<Language> Languages() {
    return {
        {"en", QStringLiteral("WARNING"),
         {QStringLiteral("Arc Flash and Shock Hazard"), QStringLiteral("Appropriate PPE Required")}},
        {"es", QStringLiteral("ADVERTENCIA"),
         {QStringLiteral("Peligro de descarga y arco el\u00e9ctrico")}},
        {"fr", QStringLiteral("ATTENTION"),
         {QStringLiteral("Dangers de chocs et de flash d\u2019Arcs")}},
    };
}

QFont BoldFont(double pixelSize) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setBold(true);
    f.setPixelSize(std::max(1, static_cast<int>(std::floor(pixelSize))));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Safety alert symbol: a black equilateral triangle with rounded corners
// holding an exclamation mark in the colour of the band behind it, `height`
// tall overall, its base centred on `cx` and resting on `bottom`.
void DrawAlertSymbol(QPainter& p, double cx, double bottom, double height, const QColor& mark) {
    // The corners are rounded by stroking a smaller triangle with a round
    // pen; shrink the inner triangle so the outline keeps the height (the pen
    // adds half its width at the apex and half at the base).
    const double round = height * 0.12;
    const double h = height - round;
    const double s = h * 2.0 / std::sqrt(3.0);
    const double base = bottom - round / 2.0;
    QPolygonF tri;
    tri << QPointF(cx, base - h) << QPointF(cx + s / 2.0, base) << QPointF(cx - s / 2.0, base);
    p.setPen(QPen(Qt::black, round, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::black);
    p.drawPolygon(tri);

    // Exclamation mark: a bar narrowing downwards with rounded ends, and a
    // round dot, centred in the lower part of the triangle.
    const double top = bottom - height * 0.70;
    const double barBottom = bottom - height * 0.30;
    const double wTop = height * 0.135;
    const double wBottom = height * 0.085;
    QPainterPath bar;
    bar.moveTo(cx - wTop / 2.0, top + wTop / 2.0);
    bar.arcTo(QRectF(cx - wTop / 2.0, top, wTop, wTop), 180.0, -180.0);
    bar.lineTo(cx + wBottom / 2.0, barBottom - wBottom / 2.0);
    bar.arcTo(QRectF(cx - wBottom / 2.0, barBottom - wBottom, wBottom, wBottom), 0.0, -180.0);
    bar.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(mark);
    p.drawPath(bar);
    const double dot = height * 0.125;
    const double dotCentre = bottom - height * 0.185;
    p.drawEllipse(QPointF(cx, dotCentre), dot / 2.0, dot / 2.0);
}

// Largest pixel size at which every line of `lines` fits in `width`.
double FitWidth(const QStringList& lines, double width, double maxSize) {
    const QFont probe = BoldFont(100.0);
    const QFontMetricsF fm(probe);
    double widest = 0.0;
    for (const QString& l : lines)
        widest = std::max(widest, fm.horizontalAdvance(l));
    return std::min(maxSize, 100.0 * width / widest);
}

struct Fonts {
    double signal = 0.0;  // one size for the signal word in all languages
    double hazard = 0.0;  // one size for the hazard statement in all languages
};

Fonts ChooseFonts(const QList<Language>& langs) {
    Fonts f;
    // The signal word band: the word's capitals take 56 % of the band, unless
    // the longest word would then not fit beside the symbol.
    const double band = kSignalBottom - kTopBorder;
    const QFontMetricsF fm100(BoldFont(100.0));
    const double capPer100 = fm100.capHeight();
    f.signal = band * 0.56 / capPer100 * 100.0;
    for (const Language& l : langs) {
        const double symbol = f.signal * capPer100 / 100.0 * kSymbolToCap * 2.0 / std::sqrt(3.0);
        const double room = kWidth - 2.0 * kBorder - 220.0 - symbol * (1.0 + kSymbolGap);
        f.signal = std::min(f.signal, FitWidth({l.signalWord}, room, f.signal));
    }
    // The hazard statement: capitals a quarter of the band's height, or as
    // large as the width allows for the longest line.
    const double hazardBand = kHazardBottom - (kSignalBottom + kRuleUnderSignal);
    f.hazard = hazardBand * 0.25 / (capPer100 / 100.0);
    for (const Language& l : langs)
        f.hazard = std::min(f.hazard, FitWidth(l.hazardLines, kWidth - 2.0 * kBorder - 200.0, f.hazard));
    return f;
}

QImage Draw(const Language& lang, const Fonts& fonts, bool colour) {
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QColor band = colour ? kSafetyOrange : QColor(Qt::white);

    // Signal word band.
    p.fillRect(QRect(0, 0, kWidth, kSignalBottom), band);
    p.fillRect(QRect(0, kSignalBottom, kWidth, kRuleUnderSignal), Qt::black);
    // Hazard statement band (white) and the rule that closes the header.
    p.fillRect(QRect(0, kHazardBottom, kWidth, kRuleUnderHazard), Qt::black);
    // The two rules around the equipment name.
    p.fillRect(QRect(0, kBodyBottom, kWidth, kThinRule), Qt::black);
    p.fillRect(QRect(0, kFooterRule, kWidth, kThinRule), Qt::black);
    // Outer frame.
    p.fillRect(QRect(0, 0, kWidth, kTopBorder), Qt::black);
    p.fillRect(QRect(0, kHeight - kBorder, kWidth, kBorder), Qt::black);
    p.fillRect(QRect(0, 0, kBorder, kHeight), Qt::black);
    p.fillRect(QRect(kWidth - kBorder, 0, kBorder, kHeight), Qt::black);

    // Symbol and signal word, centred together in the band, the symbol a
    // little taller than the capitals and both centred on the same line.
    const QFont signalFont = BoldFont(fonts.signal);
    const QFontMetricsF sfm(signalFont);
    const double cap = sfm.capHeight();
    const double symbolHeight = cap * kSymbolToCap;
    const double symbolWidth = symbolHeight * 2.0 / std::sqrt(3.0);
    const double gap = symbolWidth * kSymbolGap;
    const double wordWidth = sfm.boundingRect(lang.signalWord).width();
    const double wordLeftBearing = -sfm.boundingRect(lang.signalWord).left();
    const double groupWidth = symbolWidth + gap + wordWidth;
    const double left = (kWidth - groupWidth) / 2.0;
    const double bandMiddle = (kTopBorder + kSignalBottom) / 2.0;
    const double baseline = bandMiddle + cap / 2.0;
    DrawAlertSymbol(p, left + symbolWidth / 2.0, bandMiddle + symbolHeight / 2.0, symbolHeight, band);
    p.setFont(signalFont);
    p.setPen(Qt::black);
    p.drawText(QPointF(left + symbolWidth + gap + wordLeftBearing, baseline), lang.signalWord);

    // Hazard statement, centred line by line, the block centred in its band
    // on the capitals (descenders hang below, as on any sign).
    const QFont hazardFont = BoldFont(fonts.hazard);
    const QFontMetricsF hfm(hazardFont);
    const double hcap = hfm.capHeight();
    const double pitch = hcap * 1.75;
    const double top = kSignalBottom + kRuleUnderSignal;
    const double middle = (top + kHazardBottom) / 2.0;
    const int n = static_cast<int>(lang.hazardLines.size());
    const double blockHeight = hcap + pitch * (n - 1);
    p.setFont(hazardFont);
    p.setPen(Qt::black);
    for (int i = 0; i < n; ++i) {
        const QString& line = lang.hazardLines[i];
        const QRectF r = hfm.boundingRect(line);
        const double x = (kWidth - r.width()) / 2.0 - r.left();
        const double y = middle - blockHeight / 2.0 + hcap + pitch * i;
        p.drawText(QPointF(x, y), line);
    }
    p.end();

    if (!colour) {
        // Grey pictures carry no hue at all.
        for (int y = 0; y < img.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                const int g = qGray(row[x]);
                row[x] = qRgb(g, g, g);
            }
        }
    }
    return img;
}

QString FileName(const Language& lang, bool colour) {
    return QString::fromLatin1(lang.code) + (colour ? QStringLiteral("_color.jpg") : QStringLiteral("_bw.jpg"));
}

bool SaveJpeg(const QImage& img, const QString& path) {
    QImageWriter w(path, "jpeg");
    w.setQuality(kJpegQuality);
    w.setOptimizedWrite(true);
    if (!w.write(img)) {
        std::fprintf(stderr, "label_art: cannot write %s: %s\n", qPrintable(path), qPrintable(w.errorString()));
        return false;
    }
    return true;
}

QImage Load(const QString& path) {
    QImageReader r(path);
    QImage img = r.read();
    if (img.isNull())
        std::fprintf(stderr, "label_art: cannot read %s: %s\n", qPrintable(path), qPrintable(r.errorString()));
    return img.convertToFormat(QImage::Format_RGB32);
}

int Write(const QString& dir) {
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "label_art: cannot create %s\n", qPrintable(dir));
        return 1;
    }
    const QList<Language> langs = Languages();
    const Fonts fonts = ChooseFonts(langs);
    std::printf("signal word %.0f px, hazard statement %.0f px\n", fonts.signal, fonts.hazard);
    for (const Language& l : langs) {
        for (bool colour : {true, false}) {
            const QString path = QDir(dir).filePath(FileName(l, colour));
            if (!SaveJpeg(Draw(l, fonts, colour), path))
                return 1;
            std::printf("%s\n", qPrintable(path));
        }
    }
    return 0;
}

// The label panel as the program lays it out, with sample rows.
QImage MockPanel(const QImage& picture) {
    QImage panel(640, 460, QImage::Format_RGB32);
    panel.fill(Qt::white);
    QPainter p(&panel);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(kPanelLeft, kPanelTop, kShownWidth, kShownHeight), picture);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(9.0);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::black);
    const char* rows[] = {"Flash Hazard at", "Incident Energy", "Arc Flash Boundary", "Shock Hazard when",
                          "Limited Approach", "Restricted Approach", "Glove Class", "PPE Category"};
    int y = 190;
    for (const char* r : rows) {
        p.drawText(QRect(13, y, 320, 24), Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(r));
        p.drawText(QRect(337, y, 290, 24), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("12.3 cal/cm\u00b2"));
        y += 27;
    }
    p.drawText(QRect(13, 414, 600, 18), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Equipment: MCC-4 Main Breaker"));
    f.setBold(false);
    f.setPointSizeF(8.0);
    p.setFont(f);
    p.drawText(QRect(13, 438, 600, 16), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Date: 2024-01-01   Study by: sample"));
    p.end();
    return panel;
}

int Preview(const QString& labels, const QString& out) {
    QDir().mkpath(out);
    for (const Language& l : Languages()) {
        for (bool colour : {true, false}) {
            const QString name = FileName(l, colour);
            const QImage img = Load(QDir(labels).filePath(name));
            if (img.isNull())
                return 1;
            const QString stem = name.chopped(4);
            img.save(QDir(out).filePath(stem + QStringLiteral(".png")));
            img.scaled(623, 453, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .save(QDir(out).filePath(stem + QStringLiteral("_shown.png")));
            MockPanel(img).save(QDir(out).filePath(stem + QStringLiteral("_panel.png")));
            // The header at full size, to judge the edges of the symbol and
            // the letters.
            img.copy(0, 0, kWidth / 2, kBodyTop + 16).save(QDir(out).filePath(stem + QStringLiteral("_head_left.png")));
            img.copy(kWidth / 2, 0, kWidth / 2, kBodyTop + 16)
                .save(QDir(out).filePath(stem + QStringLiteral("_head_right.png")));
        }
    }
    return 0;
}

// Worst distance from white over a rectangle, and where it is.
struct OffWhite {
    int worst = 0;
    int x = -1;
    int y = -1;
};

OffWhite WorstNonWhite(const QImage& img, const QRect& area) {
    OffWhite o;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const int d = std::max({255 - qRed(row[x]), 255 - qGreen(row[x]), 255 - qBlue(row[x])});
            if (d > o.worst)
                o = {d, x, y};
        }
    }
    return o;
}

// A white area of the picture must come back from the file white. JPEG
// leaves a trace of a few levels in the 8-pixel block next to a black edge
// that does not fall on a block boundary; nothing else is allowed.
bool CheckWhite(const QImage& img, const char* what, int y0, int y1) {
    const QRect all(kBorder, y0, kWidth - 2 * kBorder, y1 - y0);
    const OffWhite edge = WorstNonWhite(img, all);
    const OffWhite inner = WorstNonWhite(img, all.adjusted(8, 8, -8, -8));
    const bool ok = edge.worst <= 6 && inner.worst <= 1;
    std::printf("  %-15s worst %d at (%d,%d), away from its edges %d%s\n", what, edge.worst, edge.x, edge.y,
                inner.worst, ok ? "" : "  FAULT");
    return ok;
}

int Check(const QString& labels) {
    int failures = 0;
    for (const Language& l : Languages()) {
        for (bool colour : {true, false}) {
            const QString name = FileName(l, colour);
            const QImage img = Load(QDir(labels).filePath(name));
            if (img.isNull())
                return 1;
            std::printf("%s\n", qPrintable(name));
            bool ok = img.width() == kWidth && img.height() == kHeight;
            if (!ok)
                std::printf("  size %dx%d  FAULT\n", img.width(), img.height());
            ok = CheckWhite(img, "body", kBodyTop, kBodyBottom) && ok;
            ok = CheckWhite(img, "equipment band", kBodyBottom + kThinRule, kFooterRule) && ok;
            ok = CheckWhite(img, "footer", kFooterRule + kThinRule, kHeight - kBorder) && ok;
            if (!colour) {
                int spread = 0;
                for (int y = 0; y < img.height(); ++y) {
                    const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
                    for (int x = 0; x < img.width(); ++x) {
                        const int r = qRed(row[x]), g = qGreen(row[x]), b = qBlue(row[x]);
                        spread = std::max(spread, std::max({r, g, b}) - std::min({r, g, b}));
                    }
                }
                std::printf("  largest difference between red, green and blue %d%s\n", spread,
                            spread == 0 ? "" : "  FAULT");
                ok = spread == 0 && ok;
            }
            failures += ok ? 0 : 1;
        }
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Runs without a display: text is drawn into images only.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments().mid(1);
    if (args.size() == 1 && !args[0].startsWith(QLatin1Char('-')))
        return Write(args[0]);
    if (args.size() == 3 && args[0] == QLatin1String("--preview"))
        return Preview(args[1], args[2]);
    if (args.size() == 2 && args[0] == QLatin1String("--check"))
        return Check(args[1]);
    std::fprintf(stderr,
                 "usage: label_art OUTPUT_DIR\n"
                 "       label_art --preview LABEL_DIR PREVIEW_DIR\n"
                 "       label_art --check LABEL_DIR\n");
    return 2;
}
