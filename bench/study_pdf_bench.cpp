// Times the study PDFs on a study file (see make_study): the labels of its
// first 1000 points and the report of its first 1000 and 10 000 points,
// each written to a file as the study window and the batch calculator do.
//
//   study_pdf_bench STUDY.csv [OUTPUT_DIR]
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "batch/csv.h"
#include "batch/study.h"
#include "render/study_pdf.h"

using namespace zentavo;

namespace {

struct Row {
    std::vector<std::string> fields;
    StudyRowResults results;
};

long PeakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: study_pdf_bench STUDY.csv [OUTPUT_DIR]\n");
        return 2;
    }
    const std::string dir = argc > 2 ? argv[2] : "/tmp";
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string csvText = text.str();

    csv::Reader reader(csvText);
    std::vector<std::string> header;
    std::size_t line;
    std::string error;
    if (!reader.Next(header, line, error)) return 2;
    const StudyColumnMap at = MapStudyColumns(header);
    std::vector<Row> rows;
    Row row;
    QElapsedTimer t;
    t.start();
    while (reader.Next(row.fields, line, error) && rows.size() < 10000) {
        StudyRowInputs inputs{};
        for (int c = 0; c < kStudyInputColumnCount; ++c) {
            if (at[c] >= 0 && static_cast<std::size_t>(at[c]) < row.fields.size()) inputs[c] = row.fields[at[c]];
        }
        ComputeStudyRow(inputs, StudyOptions{}, row.results);
        rows.push_back(std::move(row));
        row = Row();
    }
    std::printf("read and computed %zu rows: %lld ms\n", rows.size(), static_cast<long long>(t.elapsed()));

    const render::StudyPointAt pointAt = [&](std::size_t i) {
        const Row& r = rows[i];
        render::StudyPointView v;
        v.name = r.fields[0];
        for (int c = 0; c < kStudyInputColumnCount; ++c) {
            if (at[c] >= 0 && static_cast<std::size_t>(at[c]) < r.fields.size()) v.inputs[c] = r.fields[at[c]];
        }
        v.results = &r.results;
        return v;
    };
    std::size_t progressCalls = 0;
    const render::StudyProgress progress = [&](std::size_t, std::size_t) {
        ++progressCalls;
        return true;
    };

    const std::size_t labelRows = std::min<std::size_t>(1000, rows.size());
    const QString labels = QString::fromStdString(dir + "/study_pdf_bench_labels.pdf");
    t.restart();
    const auto l = render::SaveStudyLabelsPdf(labels, labelRows, pointAt, render::StudyLabelOptions{},
                                              progress, nullptr);
    std::printf("labels, %zu rows: %d pages in %lld ms, %lld bytes, progress called %zu times\n",
                labelRows, l.pages, static_cast<long long>(t.elapsed()),
                static_cast<long long>(QFileInfo(labels).size()), progressCalls);

    for (std::size_t n : {std::size_t{1000}, std::size_t{10000}}) {
        if (n > rows.size()) break;
        const QString report = QString::fromStdString(dir + "/study_pdf_bench_report.pdf");
        t.restart();
        const auto r = render::SaveStudyReportPdf(report, n, pointAt, render::StudyReportOptions{}, progress);
        std::printf("report, %zu rows: %d pages in %lld ms, %lld bytes\n", n, r.pages,
                    static_cast<long long>(t.elapsed()), static_cast<long long>(QFileInfo(report).size()));
    }
    std::printf("peak resident memory: %ld MB\n", PeakKb() / 1024);
    return 0;
}
