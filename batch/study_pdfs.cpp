// The batch calculator's PDF module: reads the batch output back and writes
// the labels and the report through the study PDF library, on Qt's
// offscreen platform (no display is needed).
#include "batch/study_pdfs.h"

#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <cstdio>
#include <memory>

#include "batch/csv.h"
#include "batch/message_text.h"
#include "batch/study.h"
#include "render/study_pdf.h"
#include "report/file_io.h"

namespace zentavo {
namespace {

// The points of the batch output, held whole: their input texts and results.
class OutputRows {
public:
    explicit OutputRows(const std::string& csvText) {
        csv::Reader reader(csvText);
        std::vector<std::string> header;
        std::size_t line;
        std::string error;
        if (!reader.Next(header, line, error) || header.size() < kStudyResultColumnCount) return;
        const std::size_t inputs = header.size() - kStudyResultColumnCount;
        const std::vector<std::string> inputHeader(header.begin(), header.begin() + static_cast<std::ptrdiff_t>(inputs));
        at_ = MapStudyColumns(inputHeader);
        for (std::size_t i = 0; i < inputs; ++i) {
            if (inputHeader[i] == "point") {
                nameAt_ = static_cast<int>(i);
                break;
            }
        }
        Row row;
        while (reader.Next(row.fields, line, error)) {
            if (row.fields.size() != header.size()) continue;  // the batch writes every row whole
            for (int c = 0; c < kStudyResultColumnCount; ++c) {
                row.results[c] = std::move(row.fields[inputs + c]);
            }
            row.fields.resize(inputs);
            rows_.push_back(std::move(row));
            row = Row();
        }
    }

    std::size_t size() const { return rows_.size(); }

    render::StudyPointView operator()(std::size_t i) const {
        const Row& row = rows_.at(i);
        render::StudyPointView v;
        if (nameAt_ >= 0) v.name = row.fields[nameAt_];
        for (int c = 0; c < kStudyInputColumnCount; ++c) {
            if (at_[c] >= 0) v.inputs[c] = row.fields[at_[c]];
        }
        v.results = &row.results;
        return v;
    }

private:
    struct Row {
        std::vector<std::string> fields;
        StudyRowResults results;
    };
    std::vector<Row> rows_;
    StudyColumnMap at_{};
    int nameAt_ = -1;
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

void Tell(const QString& text) {
    std::fprintf(stderr, "zentavo-batch: %s\n", EscapeControls(text.toStdString()).c_str());
}

int WritePdfs(const StudyPdfRequest& q) {
    const OutputRows rows(q.results);
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
        std::vector<std::string> cut;
        const QString path = QFile::decodeName(q.labelsPath.c_str());
        const auto r = render::SaveStudyLabelsPdf(path, rows.size(), at, o, {}, &cut);
        if (r.outcome == render::StudyExportResult::kNothingToWrite) {
            Tell(QStringLiteral("no point of the study was computed: no labels written to %1").arg(path));
            status = 1;
        } else if (r.outcome != render::StudyExportResult::kWritten) {
            Tell(QStringLiteral("cannot write %1: %2").arg(path, r.error));
            status = 1;
        }
        if (!cut.empty()) {
            std::string names;
            for (const std::string& n : cut) names += "\n  " + EscapeControls(n);
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
                                           : render::ReportPageSizeFor(QLocale::system().territory());
        o.units = q.units;
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
    // Ended by Ctrl+C or a kill while a PDF is written, the run leaves no
    // temporary file beside it (the replacing writes are this module's).
    zentavo::RemoveTemporaryFileOnSignals();
    std::unique_ptr<QGuiApplication> app;
    if (!QGuiApplication::instance()) app = std::make_unique<QGuiApplication>(argc, argv);
    return zentavo::WritePdfs(request);
}
