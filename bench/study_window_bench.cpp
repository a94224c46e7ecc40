// SPDX-License-Identifier: GPL-3.0-or-later
// The study window on a large study: opening, computing and showing it, one
// cell edit (the row computed again), ten cells cleared at once, a sort, and
// the peak memory.
//   study_window_bench STUDY.csv
//   study_window_bench network:BUSES    (a generated meshed network study)
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <sys/resource.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "network_study_maker.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/study_window.h"

namespace {

using namespace zentavo::ui;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Any box the program would show ends the run: a benchmark has no one to answer it.
class NoDialogs : public DialogService {
public:
    void Warning(QWidget*, const QString& t) override { qFatal("warning: %s", qPrintable(t)); }
    bool Confirm(QWidget*, const QString&) override { return false; }
    SaveAnswer AskSaveChanges(QWidget*, const QString&) override { return SaveAnswer::Discard; }
    DuplicateAnswer AskDuplicateBranch(QWidget*, const QString&) override {
        return DuplicateAnswer::Cancel;
    }
    void Information(QWidget*, const QString&) override {}
    void Message(QWidget*, const QString&, const QString& t) override {
        qFatal("message: %s", qPrintable(t));
    }
    void Error(QWidget*, const QString& t) override { qFatal("error: %s", qPrintable(t)); }
    QString OpenFileName(QWidget*, const FileChoice&) override { return {}; }
    QString SaveFileName(QWidget*, const FileChoice&) override { return {}; }
    bool PrintSetup(QWidget*, QPrinter&) override { return false; }
    bool StudyExportSetup(QWidget*, StudyExportChoice&) override { return false; }
    std::optional<QString> AskText(QWidget*, const QString&, const QString&,
                                   const QString&) override {
        return std::nullopt;
    }
    void OpenDocument(const QString&) override {}
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: study_window_bench STUDY.csv\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    NoDialogs dialogs;
    Application app(dialogs);

    QString path = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir folder;
    if (path.startsWith(QLatin1String("network:"))) {
        const int buses = path.mid(8).toInt();
        path = folder.filePath(QStringLiteral("network.csv"));
        QFile f(path);
        if (buses < 2 || !f.open(QIODevice::WriteOnly)) return 2;
        const std::string study = zentavo::bench::MakeNetworkStudy(buses, true, true);
        f.write(study.data(), static_cast<qint64>(study.size()));
    }
    const auto t0 = Clock::now();
    TStudy* study = OpenStudyFile(app, path);
    study->show();
    auto* table = study->findChild<QTableView*>(QStringLiteral("StudyTable"));
    table->viewport()->grab();  // paints the visible rows
    QApplication::processEvents();
    const auto t1 = Clock::now();
    StudyModel& model = study->model();
    const int rows = model.rowCount();
    std::printf("open, compute and show %d rows: %.1f ms (%d computed)\n", rows, Ms(t1 - t0),
                model.ComputedRows());

    if (model.file().Network()) {
        // A network study: an edit of a point alone (its working distance)
        // computes its row; an edit of the network (a motor's rating) and
        // Compute again compute every row, as opening did.
        auto edit = [&](const char* column, const char* text) {
            const QModelIndex cell =
                study->view().mapFromSource(model.index(rows / 2, model.ColumnNamed(column)));
            const auto e0 = Clock::now();
            study->view().setData(cell, text);
            QApplication::processEvents();
            return Ms(Clock::now() - e0);
        };
        const double point = edit("work_distance", "600");
        const double network = edit("motor_kva", "150");
        const auto a0 = Clock::now();
        model.ComputeAgain();
        QApplication::processEvents();
        std::printf(
            "network study, %d rows: a point's cell edited %.1f ms; the network's %.1f ms; "
            "Compute again %.1f ms\n",
            rows, point, network, Ms(Clock::now() - a0));
        study->model().undoStack().setClean();
        study->close();
        return 0;
    }

    // Ten cells of a column cleared as one step (Delete), and put back by
    // undo, on the study as opened: a network study is computed once each
    // way, as long as one cell edit.
    const int distance = model.ColumnNamed("work_distance");
    QModelIndexList cells;
    for (int i = 0; i < 10 && i < rows; ++i) cells << model.index(i, distance);
    const auto c0 = Clock::now();
    model.SetCells(cells, QString(), QStringLiteral("Clear cells"));
    QApplication::processEvents();
    const auto c1 = Clock::now();
    model.undoStack().undo();
    QApplication::processEvents();
    std::printf("ten cells cleared at once: %.1f ms; put back by undo: %.1f ms\n", Ms(c1 - c0),
                Ms(Clock::now() - c1));

    // Cell edits through the table's sort and filter, each followed by the
    // repaint of what changed, as the event loop does it.
    const int voltage = model.ColumnNamed("voltage");
    std::vector<double> edits;
    for (int i = 0; i < 200; ++i) {
        const int row = (i * 7919) % rows;
        const QModelIndex cell = study->view().mapFromSource(model.index(row, voltage));
        const auto e0 = Clock::now();
        study->view().setData(cell, i % 2 ? "480" : "600");
        QApplication::processEvents();
        edits.push_back(Ms(Clock::now() - e0));
    }
    std::vector<double> visible;
    for (int i = 0; i < 100; ++i) {
        const QModelIndex cell = study->view().index(i % 20, voltage);
        const auto e0 = Clock::now();
        study->view().setData(cell, i % 3 ? "415" : "600");
        QApplication::processEvents();
        visible.push_back(Ms(Clock::now() - e0));
    }
    std::sort(visible.begin(), visible.end());
    std::printf(
        "cell edit in a row on screen, recomputed and repainted: median %.3f ms, worst %.3f ms\n",
        visible[visible.size() / 2], visible.back());
    std::vector<double> paints;
    for (int i = 0; i < 50; ++i) {
        const auto p0 = Clock::now();
        table->viewport()->repaint();
        paints.push_back(Ms(Clock::now() - p0));
    }
    std::sort(paints.begin(), paints.end());
    std::printf("repaint of the whole visible table: median %.3f ms\n", paints[paints.size() / 2]);
    std::vector<double> bare;
    for (int i = 0; i < 200; ++i) {
        const int row = (i * 7919) % rows;
        const QModelIndex cell = study->view().mapFromSource(model.index(row, voltage));
        const auto e0 = Clock::now();
        study->view().setData(cell, i % 2 ? "415" : "208");
        bare.push_back(Ms(Clock::now() - e0));
    }
    std::sort(bare.begin(), bare.end());
    std::printf("cell edit without the repaint: median %.3f ms, worst %.3f ms\n",
                bare[bare.size() / 2], bare.back());
    std::sort(edits.begin(), edits.end());
    std::printf(
        "cell edit, row computed again and repainted: median %.3f ms, worst %.3f ms (200 edits)\n",
        edits[edits.size() / 2], edits.back());

    const auto s0 = Clock::now();
    table->sortByColumn(model.ColumnNamed("incident_energy"), Qt::DescendingOrder);
    table->viewport()->repaint();
    std::printf("sort by incident energy: %.1f ms\n", Ms(Clock::now() - s0));
    const auto s1 = Clock::now();
    const std::string bytes = model.file().Bytes();
    std::printf("study file bytes for saving: %.1f ms (%zu bytes)\n", Ms(Clock::now() - s1),
                bytes.size());

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MiB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    study->model().undoStack().setClean();
    study->close();
    return 0;
}
