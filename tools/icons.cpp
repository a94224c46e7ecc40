// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's scalable icon to the PNG sizes desktops look for:
//   build/tools/icons resources/icons/org.zentavo.Zentavo.svg resources/icons
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: icons ICON.svg OUTPUT_DIR\n");
        return 2;
    }
    const QString svg = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QImageReader reader(svg);
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        if (image.isNull()) {
            std::fprintf(stderr, "icons: cannot read %s: %s\n", argv[1], qPrintable(reader.errorString()));
            return 1;
        }
        const QString dir = QStringLiteral("%1x%1").arg(size);
        out.mkpath(dir);
        if (!image.save(out.filePath(dir + QStringLiteral("/org.zentavo.Zentavo.png")))) return 1;
    }
    return 0;
}
