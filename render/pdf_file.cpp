// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/pdf_file.h"

#include <malloc.h>

#include <QFileInfo>
#include <algorithm>
#include <stdexcept>

#include "engine/error.h"
#include "io/file_io.h"
#include "io/paper.h"

namespace zentavo::render {

namespace {

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

}  // namespace

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

void CheckPdfSize(const QIODevice& out, const char* what, int pages) {
    if (out.pos() < kPdfByteLimit) return;
    throw Error("The " + std::string(what) + " PDF has grown to 1.75 GiB after " +
                             std::to_string(pages) + " pages: the PDF writer counts the places in its file in "
                             "32 bits, so a PDF cannot pass 2 GiB. Write the " + what +
                             " of fewer points at a time.");
}


StudyExportResult SaveThrough(const QString& path, bool emptyIsNothing, const std::function<int(QIODevice&)>& write) {
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

void KeepPdfPageBuffers() {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
}

}  // namespace zentavo::render
