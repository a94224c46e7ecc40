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
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>

#include "study/point_record.h"
#include "study/message_text.h"
#include "study/network_study.h"
#include "study/row.h"
#include "oneline/diagram.h"
#include "render/one_line_painter.h"
#include "render/study_pdf.h"
#include "engine/error.h"
#include "io/file_io.h"
#include "io/progress_line.h"

namespace zentavo {
namespace {

// The points the run computed, read back from the file the program kept
// them in (study/point_record.h), one at a time and in order: only the
// point a page needs is held, whatever the size of the study. Asked for an
// earlier point (the next pass of the report over the study), it reads from
// the start again.
class PointRows {
public:
    PointRows(int fd, char sep) : fd_(fd), sep_(sep) {
        Restart();
        while (ReadPoint()) ++count_;
    }

    std::size_t size() const { return count_; }

    // The network of a study with network columns as the run computed it
    // (its first scenario's, where it has scenarios); with `oneLine`, its
    // one-line diagram too (oneline/diagram.h), with the points' results.
    void TakeNetwork(std::shared_ptr<const NetworkSummary> network, bool oneLine) {
        network_ = std::move(network);
        if (!network_ || !oneLine) return;
        std::vector<PointResult> results;
        for (std::size_t i = 0; i < count_; ++i) results.push_back(At(i).result);
        oneLine_ = std::make_shared<const oneline::Diagram>(
            oneline::BuildDiagram([&results](std::size_t i) { return &results[i]; }, *network_));
    }
    const std::shared_ptr<const NetworkSummary>& Network() const { return network_; }
    // The one-line diagram; null for a study without a network or when not asked for.
    const std::shared_ptr<const oneline::Diagram>& OneLine() const { return oneLine_; }
    // The other point of a point's main section; none for a point in none.
    std::optional<std::size_t> SectionOf(std::size_t i) const {
        return network_ && i < network_->sections.size() ? network_->sections[i] : std::nullopt;
    }
    bool HasSections() const {
        return network_ && std::any_of(network_->sections.begin(), network_->sections.end(),
                                       [](const auto& s) { return s.has_value(); });
    }

    render::StudyPointView operator()(std::size_t i) {
        const PointRecord& r = At(i);
        return render::StudyPointView{r.name, r.inputs, &r.result};
    }

private:
    static constexpr std::size_t kReadBytes = std::size_t{1} << 20;

    const PointRecord& At(std::size_t i) {
        if (next_ == 0 || i + 1 < next_) Restart();
        while (next_ <= i) {
            if (!ReadPoint()) throw Error("The study's results changed while the PDFs were written.");
        }
        return point_;
    }

    void Restart() {
        offset_ = 0;
        next_ = 0;
        held_.clear();
        begin_ = 0;
    }

    // The next point into point_; false at the end.
    bool ReadPoint() {
        for (;;) {
            std::string_view rest = std::string_view(held_).substr(begin_);
            const std::size_t size = PointRecordSize(rest);
            if (size > 0) {
                ReadPointRecord(rest, point_);
                begin_ += size;
                ++next_;
                return true;
            }
            // More of the file, after what is left of the held bytes.
            held_.erase(0, begin_);
            begin_ = 0;
            const std::size_t kept = held_.size();
            held_.resize(kept + kReadBytes);
            ssize_t n;
            do {
                n = ::pread(fd_, held_.data() + kept, kReadBytes, offset_);
            } while (n < 0 && errno == EINTR);
            if (n < 0) {
                throw Error(std::string("cannot read the study's results back: ") + std::strerror(errno));
            }
            held_.resize(kept + static_cast<std::size_t>(n));
            offset_ += n;
            if (n == 0) {
                if (!held_.empty()) throw Error("A point kept for the PDFs cannot be read back.");
                return false;
            }
        }
    }

    int fd_;
    char sep_;  // the decimal separator of the rows' numbers
    off_t offset_ = 0;
    std::string held_;       // bytes read and not yet taken
    std::size_t begin_ = 0;  // where in held_ the next record starts
    PointRecord point_;
    std::shared_ptr<const NetworkSummary> network_;
    std::shared_ptr<const oneline::Diagram> oneLine_;
    std::size_t next_ = 0;   // points read in this pass; point_ is the last of them
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
    PointRows rows(q.pointsFd, q.sep);
    rows.TakeNetwork(q.network ? q.networkTable : nullptr,
                     !q.oneLinePath.empty() || (!q.reportPath.empty() && q.reportOneLine));
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
        o.standard.standard = q.standard;
        o.standard.size = q.size;
        o.standard.assessmentDate = q.assessmentDate.value_or(o.date);
        o.standard.dangerAboveVolts = q.dangerAboveVolts;
        o.units = q.units;
        o.sep = q.sep;
        // The other points of the sections, read by a reader of their own so
        // that the point being labelled stays as read.
        std::optional<PointRows> others;
        if (rows.HasSections()) {
            others.emplace(q.pointsFd, q.sep);
            o.sectionOther = [&rows, &others](std::size_t i) {
                const std::optional<std::size_t> other = rows.SectionOf(i);
                return other ? (*others)(*other) : render::StudyPointView{};
            };
        }
        render::CutNames cut;
        const QString path = QFile::decodeName(q.labelsPath.c_str());
        ProgressLine line(q.progress);
        const auto r = render::SaveStudyLabelsPdf(
            path, rows.size(), at, o,
            [&line](std::size_t done, std::size_t total) {
                line.Show("labels", done, total);
                return true;
            },
            &cut);
        line.Erase();
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
            if (q.standard == LabelStandard::Classic) {
                std::fprintf(stderr,
                             "zentavo-batch: equipment names longer than %zu characters, cut on their "
                             "labels:%s\n",
                             kEquipmentNameLength, names.c_str());
            } else {
                std::fprintf(stderr, "zentavo-batch: equipment names longer than two lines, cut on their labels:%s\n",
                             names.c_str());
            }
        }
    }

    if (!q.reportPath.empty()) {
        render::StudyReportOptions o;
        o.title = q.reportTitle.empty() ? render::StudyReportTitle(QFile::decodeName(q.inputPath.c_str()))
                                        : QString::fromLocal8Bit(q.reportTitle.c_str());
        o.project = QString::fromLocal8Bit(q.reportProject.c_str());
        o.client = QString::fromLocal8Bit(q.reportClient.c_str());
        o.author = QString::fromLocal8Bit(q.reportAuthor.c_str());
        o.engineer = QString::fromLocal8Bit(q.engineer.c_str());
        o.dateText = QLocale::system().toString(today, QLocale::LongFormat);
        o.assessmentDate = QString::fromStdString(
            DateInWords(q.assessmentDate.value_or(LabelDate{today.day(), today.month(), today.year()}), kEnglish));
        o.pageSize = q.paper == "a4"       ? QPageSize::A4
                     : q.paper == "letter" ? QPageSize::Letter
                                           : render::DefaultReportPageSize();
        o.units = q.units;
        o.sep = q.sep;
        o.deviceCurves = q.reportCurves;
        o.standard = q.standard;
        o.network = rows.Network();
        o.shortCircuit = q.shortCircuit;
        o.arcSteps = q.arcSteps;
        o.motorDecay = q.motorDecay;
        o.arcCurrentRange = q.arcCurrentRange;
        if (q.reportOneLine) o.oneLine = rows.OneLine();
        const QString path = QFile::decodeName(q.reportPath.c_str());
        ProgressLine line(q.progress);
        const auto r = render::SaveStudyReportPdf(path, rows.size(), at, o, [&line](std::size_t done, std::size_t total) {
            line.Show("report", done, 0, total ? static_cast<double>(done) / static_cast<double>(total) : -1);
            return true;
        });
        line.Erase();
        if (r.outcome != render::StudyExportResult::kWritten) {
            Tell(QStringLiteral("cannot write %1: %2").arg(path, r.error));
            status = 1;
        }
    }

    if (!q.oneLinePath.empty()) {
        const QString path = QFile::decodeName(q.oneLinePath.c_str());
        const std::shared_ptr<const oneline::Diagram>& diagram = rows.OneLine();
        render::OneLineStyle style;
        style.units = q.units;
        style.sep = q.sep;
        if (diagram) style.caption = render::OneLineCaption(*diagram);
        const auto r = diagram ? render::SaveOneLineSvg(path, *diagram, style)
                               : render::StudyExportResult{render::StudyExportResult::kNothingToWrite, 0, {}};
        if (r.outcome == render::StudyExportResult::kNothingToWrite) {
            Tell(QStringLiteral("the study has no network rows: no one-line written to %1").arg(path));
            status = 1;
        } else if (r.outcome != render::StudyExportResult::kWritten) {
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
