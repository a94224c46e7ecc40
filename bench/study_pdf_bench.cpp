// SPDX-License-Identifier: GPL-3.0-or-later
// Times the study PDFs on a study file (see make_study): the labels and the
// report of its first ROWS points (all by default), each written to a file
// as the study window and the batch calculator write them, with pages and
// rows per second and the peak memory. The points are computed as the
// writers ask for them, so the figures are the writers' own.
//
//   study_pdf_bench STUDY.csv [OUTPUT_DIR] [ROWS]
//   make_study /tmp/s100k.csv 100000 && study_pdf_bench /tmp/s100k.csv /tmp
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "study/csv.h"
#include "study/row.h"
#include "render/study_pdf.h"

using namespace zentavo;

namespace {

long PeakMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

// The points of a study text, each read and computed when asked for: only
// the text and where each record starts are held.
class Points {
public:
    explicit Points(const std::string& text, std::size_t most) : text_(text) {
        csv::Reader reader(text_);
        std::vector<std::string> header;
        if (!reader.Next(header)) return;
        at_ = MapStudyColumns(header);
        while (starts_.size() < most) {
            const std::size_t start = reader.Offset();
            if (reader.Skip(1) == 0) break;
            starts_.push_back(start);
        }
    }
    std::size_t size() const { return starts_.size(); }

    render::StudyPointView operator()(std::size_t i) {
        csv::ReaderOptions options;
        options.startOfInput = false;
        csv::Reader reader(std::string_view(text_).substr(starts_.at(i)), options);
        reader.Next(fields_);
        render::StudyPointView v;
        v.name = fields_.empty() ? std::string_view() : std::string_view(fields_[0]);
        StudyRowInputs in;
        for (int c = 0; c < kStudyInputColumnCount; ++c) {
            if (at_[c] >= 0 && static_cast<std::size_t>(at_[c]) < fields_.size())
                in[c] = fields_[at_[c]];
        }
        result_ = ComputeStudyRow(in, StudyOptions{});
        v.inputs = in;
        v.result = &result_;
        return v;
    }

private:
    const std::string& text_;
    StudyColumnMap at_{};
    std::vector<std::size_t> starts_;
    std::vector<std::string> fields_;
    PointResult result_;
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    render::KeepPdfPageBuffers();  // as zentavo-batch does
    if (argc < 2) {
        std::fprintf(stderr, "usage: study_pdf_bench STUDY.csv [OUTPUT_DIR] [ROWS]\n");
        return 2;
    }
    const std::string dir = argc > 2 ? argv[2] : "/tmp";
    const std::size_t most = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : SIZE_MAX;
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string csvText = text.str();
    Points points(csvText, most);
    const render::StudyPointAt at = [&points](std::size_t i) { return points(i); };
    std::printf("%zu points, peak resident memory %ld MB\n", points.size(), PeakMb());

    QElapsedTimer t;
    const QString labels = QString::fromStdString(dir + "/study_pdf_bench_labels.pdf");
    // The classic label, then the label after NFPA 70E (the batch's default).
    render::StudyExportResult l;
    for (LabelStandard standard : {LabelStandard::Classic, LabelStandard::Nfpa70e}) {
        render::StudyLabelOptions options;
        options.standard.standard = standard;
        t.restart();
        l = render::SaveStudyLabelsPdf(labels, points.size(), at, options, {}, nullptr);
        const double labelSeconds = static_cast<double>(t.elapsed()) / 1000;
        std::printf("labels (%s): %d pages in %.1f s, %.0f pages/s, %lld bytes; peak resident memory %ld MB\n",
                    kLabelStandardWords[static_cast<std::size_t>(standard)].data(), l.pages, labelSeconds,
                    l.pages / labelSeconds, static_cast<long long>(QFileInfo(labels).size()), PeakMb());
        if (l.outcome != render::StudyExportResult::kWritten) break;
    }

    const QString report = QString::fromStdString(dir + "/study_pdf_bench_report.pdf");
    t.restart();
    const auto r = render::SaveStudyReportPdf(report, points.size(), at, render::StudyReportOptions{}, {});
    const double reportSeconds = static_cast<double>(t.elapsed()) / 1000;
    std::printf("report: %zu rows, %d pages in %.1f s, %.0f rows/s, %lld bytes; peak resident memory %ld MB\n",
                points.size(), r.pages, reportSeconds, static_cast<double>(points.size()) / reportSeconds,
                static_cast<long long>(QFileInfo(report).size()), PeakMb());
    const bool written = l.outcome == render::StudyExportResult::kWritten &&
                         r.outcome == render::StudyExportResult::kWritten;
    return written ? 0 : 1;
}
