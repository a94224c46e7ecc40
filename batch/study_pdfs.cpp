// SPDX-License-Identifier: GPL-3.0-or-later
// The batch calculator's PDF module: reads the batch output back and writes
// the labels and the report through the study PDF library, on Qt's
// offscreen platform (no display is needed).
#include "batch/study_pdfs.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>

#include "study/csv.h"
#include "study/message_text.h"
#include "study/network_study.h"
#include "study/row.h"
#include "render/study_pdf.h"
#include "engine/error.h"
#include "io/file_io.h"

namespace zentavo {
namespace {

// The points of the batch output, read back from the file the program kept
// them in, one at a time and in order: only the row a page needs is held,
// whatever the size of the study. Asked for an earlier row (the next pass
// of the report over the study), it reads from the start again.
class OutputRows {
public:
    OutputRows(int fd, char delimiter) : fd_(fd), delimiter_(delimiter) {
        Restart();
        while (ReadRow()) ++count_;
    }

    std::size_t size() const { return count_; }

    // The network of a study with network columns, built again from the
    // inputs its output repeats; none for a study without one. Its rows are
    // then handed out with the share of their own branch in the case that
    // gave their results, which a protective device on that branch saw.
    void BuildNetwork(char sep, network::Convention convention) {
        network_.reset();
        if (!HasNetworkColumns(at_)) return;
        std::vector<std::vector<std::string>> texts(count_);
        std::vector<StudyRowInputs> inputs(count_);
        for (std::size_t i = 0; i < count_; ++i) {
            const render::StudyPointView v = (*this)(i);
            texts[i].resize(kStudyInputColumnCount);
            for (int c = 0; c < kStudyInputColumnCount; ++c) texts[i][c].assign(v.inputs[c]);
        }
        for (std::size_t i = 0; i < count_; ++i) {
            for (int c = 0; c < kStudyInputColumnCount; ++c) inputs[i][c] = texts[i][c];
        }
        network_ = std::make_unique<StudyNetwork>(inputs, sep, convention);
    }
    const StudyNetwork* Network() const { return network_.get(); }

    render::StudyPointView operator()(std::size_t i) {
        if (next_ == 0 || i + 1 < next_) Restart();
        while (next_ <= i) {
            if (!ReadRow()) throw Error("The study's results changed while the PDFs were written.");
        }
        render::StudyPointView v;
        if (nameAt_ >= 0) v.name = row_.fields[static_cast<std::size_t>(nameAt_)];
        for (int c = 0; c < kStudyInputColumnCount; ++c) {
            if (at_[c] >= 0) v.inputs[c] = row_.fields[static_cast<std::size_t>(at_[c])];
        }
        v.results = &row_.results;
        if (network_) v.inputs.deviceShareFromNetwork = ResultsBranchShare(network_->Row(i), row_.results);
        return v;
    }

private:
    // Records handed out at a time: enough to read quickly, little to hold.
    static constexpr std::size_t kChunkRecords = 256;
    static constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

    void Restart() {
        offset_ = 0;
        next_ = 0;
        left_ = 0;
        reader_.reset();
        chunks_ = std::make_unique<csv::ChunkReader>([this](char* buffer, std::size_t size) -> std::size_t {
            for (;;) {
                const ssize_t n = ::pread(fd_, buffer, size, offset_);
                if (n >= 0) {
                    offset_ += n;
                    return static_cast<std::size_t>(n);
                }
                if (errno != EINTR) {
                    throw Error(std::string("cannot read the study's results back: ") +
                                             std::strerror(errno));
                }
            }
        }, csv::kMaxRecordBytes, delimiter_);
        std::vector<std::string> header;
        std::size_t line;
        std::string error;
        width_ = 0;
        if (!chunks_->First(header, line, error)) return;
        written_ = OutputResultColumns(header);
        if (written_.empty()) return;
        width_ = header.size();
        inputs_ = header.size() - written_.size();
        const std::vector<std::string> inputHeader(header.begin(),
                                                   header.begin() + static_cast<std::ptrdiff_t>(inputs_));
        at_ = MapStudyColumns(inputHeader);
        nameAt_ = -1;
        for (std::size_t i = 0; i < inputs_; ++i) {
            if (IsColumnName(inputHeader[i], kPointColumnName)) {
                nameAt_ = static_cast<int>(i);
                break;
            }
        }
    }

    // The next row into row_; false at the end.
    bool ReadRow() {
        if (width_ == 0) return false;
        std::size_t line;
        std::string error;
        for (;;) {
            if (left_ == 0) {
                reader_.reset();
                left_ = chunks_->Next(text_, options_, kChunkRecords, kChunkBytes);
                if (left_ == 0) return false;
                reader_.emplace(text_, options_);
            }
            --left_;
            if (!reader_->Next(fields_, line, error)) {
                left_ = 0;
                continue;
            }
            if (fields_.size() != width_) continue;  // the batch writes every row whole
            row_.fields.resize(inputs_);
            for (std::size_t c = 0; c < inputs_; ++c) row_.fields[c].assign(fields_[c]);
            for (std::size_t c = 0; c < written_.size(); ++c) {
                row_.results[static_cast<std::size_t>(written_[c])].assign(fields_[inputs_ + c]);
            }
            ++next_;
            return true;
        }
    }

    struct Row {
        std::vector<std::string> fields;
        StudyRowResults results;
    };
    int fd_;
    char delimiter_;
    off_t offset_ = 0;
    std::unique_ptr<csv::ChunkReader> chunks_;
    std::string text_;
    csv::ReaderOptions options_;
    std::optional<csv::Reader> reader_;
    csv::Fields fields_;
    std::size_t left_ = 0;   // records of the chunk not read yet
    std::size_t width_ = 0, inputs_ = 0;
    ResultColumnList written_;  // the result columns of the output, in order
    std::unique_ptr<StudyNetwork> network_;
    StudyColumnMap at_{};
    int nameAt_ = -1;
    Row row_;
    std::size_t next_ = 0;   // rows read in this pass; row_ is the last of them
    std::size_t count_ = 0;
};

// Qt's own remarks on the environment of a command-line run (no runtime
// directory of a desktop session) and on fonts without the tables of a
// script (one line per font tried, for each name in a script such as Tamil
// that no installed font shapes: the name is drawn as well as the fonts
// allow) say nothing the user can act on; the rest is passed on, with any
// control characters of the study's names in it escaped.
void PassOnQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtFatalMsg && (text.startsWith(QLatin1String("QStandardPaths:")) ||
                               text.trimmed().startsWith(QLatin1String("OpenType support missing for ")))) {
        return;
    }
    std::fprintf(stderr, "%s\n", EscapeControls(text.toStdString()).c_str());
}

// Whether the address space has room for Qt's start and the fonts it loads:
// this much can be mapped (and is given back at once).
bool RoomToStart() {
    constexpr std::size_t kStartBytes = std::size_t{32} << 20;
    void* room = ::mmap(nullptr, kStartBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (room == MAP_FAILED) return false;
    ::munmap(room, kStartBytes);
    return true;
}

void Tell(const QString& text) {
    std::fprintf(stderr, "zentavo-batch: %s\n", EscapeControls(text.toStdString()).c_str());
}

int WritePdfs(const StudyPdfRequest& q) {
    OutputRows rows(q.resultsFd, q.delimiter);
    rows.BuildNetwork(q.sep, q.shortCircuit);
    const render::StudyPointAt at = [&rows](std::size_t i) { return rows(i); };
    const QDate today = QDate::currentDate();
    int status = 0;

    if (!q.labelsPath.empty()) {
        render::StudyLabelOptions o;
        o.settings.LabelLanguage = q.language;
        o.settings.LabelInColor = q.colour;
        if (q.rowsGiven) {
            for (int k = kEntryEquipmentType; k <= kEntryClothing; ++k) {
                o.settings.ContentItems[static_cast<std::size_t>(k)].Checked = false;
            }
            for (int k : q.rows) o.settings.ContentItems[static_cast<std::size_t>(k)].Checked = true;
        }
        o.settings.ContentItems[kEntryEquipmentName].Checked = q.name;
        o.settings.ContentItems[kEntryDate].Checked = q.date;
        o.settings.LabelLineCount = CountLabelLines(o.settings.ContentItems);
        o.date = {today.day(), today.month(), today.year()};
        o.units = q.units;
        o.sep = q.sep;
        o.curves = q.curves;
        render::CutNames cut;
        const QString path = QFile::decodeName(q.labelsPath.c_str());
        const auto r = render::SaveStudyLabelsPdf(path, rows.size(), at, o, {}, &cut);
        if (r.outcome == render::StudyExportResult::kNothingToWrite) {
            Tell(QStringLiteral("no point of the study was computed: no labels written to %1").arg(path));
            status = 1;
        } else if (r.outcome != render::StudyExportResult::kWritten) {
            Tell(QStringLiteral("cannot write %1: %2").arg(path, r.error));
            status = 1;
        } else {
            std::fputs(q.labelsRefusedNote.c_str(), stderr);
        }
        if (!cut.empty()) {
            std::string names;
            for (const std::string& n : cut.listed) names += "\n  " + EscapeControls(n);
            if (cut.more > 0) names += "\n  and " + std::to_string(cut.more) + " more labels with a cut name";
            std::fprintf(stderr,
                         "zentavo-batch: equipment names longer than %zu characters, cut on their "
                         "labels:%s\n",
                         kEquipmentNameLength, names.c_str());
        }
    }

    if (!q.reportPath.empty()) {
        render::StudyReportOptions o;
        o.title = q.reportTitle.empty() ? render::StudyReportTitle(QFile::decodeName(q.inputPath.c_str()))
                                        : QString::fromLocal8Bit(q.reportTitle.c_str());
        o.project = QString::fromLocal8Bit(q.reportProject.c_str());
        o.client = QString::fromLocal8Bit(q.reportClient.c_str());
        o.author = QString::fromLocal8Bit(q.reportAuthor.c_str());
        o.dateText = QLocale::system().toString(today, QLocale::LongFormat);
        o.pageSize = q.paper == "a4"       ? QPageSize::A4
                     : q.paper == "letter" ? QPageSize::Letter
                                           : render::DefaultReportPageSize();
        o.units = q.units;
        o.sep = q.sep;
        o.curves = q.curves;
        o.deviceCurves = q.reportCurves;
        o.network = rows.Network();
        o.convention = q.shortCircuit;
        const QString path = QFile::decodeName(q.reportPath.c_str());
        const auto r = render::SaveStudyReportPdf(path, rows.size(), at, o, {});
        if (r.outcome != render::StudyExportResult::kWritten) {
            Tell(QStringLiteral("cannot write %1: %2").arg(path, r.error));
            status = 1;
        }
    }
    return status;
}

}  // namespace
}  // namespace zentavo

extern "C" __attribute__((visibility("default"))) int zentavo_write_study_pdfs(
    const zentavo::StudyPdfRequest& request) {
    // Painting needs a GUI application; the offscreen platform needs no display.
    static char arg0[] = "zentavo-batch";
    static char arg1[] = "-platform";
    static char arg2[] = "offscreen";
    static char* argv[] = {arg0, arg1, arg2, nullptr};
    static int argc = 3;
    qInstallMessageHandler(zentavo::PassOnQtMessages);
    zentavo::render::KeepPdfPageBuffers();
    // Ended by Ctrl+C or a kill while a PDF is written, the run leaves no
    // temporary file beside it (the replacing writes are this module's).
    zentavo::RemoveTemporaryFileOnSignals();
    // Qt and the font configuration it loads do not all survive a failed
    // allocation while they start (a crash, an abort): too little room for
    // them is told before they start, as the allocation failures after.
    if (!zentavo::RoomToStart()) {
        std::fputs("zentavo-batch: out of memory\n", stderr);
        return 2;
    }
    std::unique_ptr<QGuiApplication> app;
    if (!QGuiApplication::instance()) app = std::make_unique<QGuiApplication>(argc, argv);
    try {
        return zentavo::WritePdfs(request);
    } catch (const std::bad_alloc&) {
        // The PDF being written is gone with its temporary file; an older
        // file of its name is as it was.
        std::fputs("zentavo-batch: out of memory\n", stderr);
        return 2;
    }
}
