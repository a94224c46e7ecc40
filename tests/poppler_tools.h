// SPDX-License-Identifier: GPL-3.0-or-later
// What a poppler tool (pdfinfo, pdftotext, pdfimages) prints for a file:
// the tests read PDF files as a reader of them would.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

inline QString RunPdfTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
