// SPDX-License-Identifier: GPL-3.0-or-later
// "Next" to a filled window, for each method, under the offscreen platform:
//   QT_QPA_PLATFORM=offscreen build/bench/ui_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <cstdio>
#include <memory>

#include "ui/application.h"
#include "ui/ieee2018_window.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/widgets.h"

namespace {

using namespace zentavo::ui;

class NoDialogs : public DialogService {
public:
    void Warning(QWidget*, const QString& t) override { qFatal("unexpected: %s", qPrintable(t)); }
    bool Confirm(QWidget*, const QString&) override { return false; }
    SaveAnswer AskSaveChanges(QWidget*, const QString&) override { return SaveAnswer::Discard; }
    DuplicateAnswer AskDuplicateBranch(QWidget*, const QString&) override { return DuplicateAnswer::Cancel; }
    void Information(QWidget*, const QString&) override {}
    void Message(QWidget*, const QString&, const QString&) override {}
    void Error(QWidget*, const QString& t) override { qFatal("unexpected: %s", qPrintable(t)); }
    QString OpenFileName(QWidget*, const FileChoice&) override { return {}; }
    QString SaveFileName(QWidget*, const FileChoice&) override { return saveName; }
    QString saveName;  // the file every save dialog answers
    bool PrintSetup(QWidget*, QPrinter&) override { return false; }
    bool StudyExportSetup(QWidget*, StudyExportChoice&) override { return false; }
    std::optional<QString> AskText(QWidget*, const QString&, const QString&,
                                   const QString&) override {
        return std::nullopt;
    }
    void OpenDocument(const QString&) override {}
};

struct Session {
    NoDialogs dialogs;
    Application app{dialogs};
    Session() {
        app.Start();
        auto& m = app.main();
        m.EquipClassBox->setCurrentIndex(1);
        m.GroundGroup->setItemIndex(1);
        m.VoltEdit->setText("480");
        m.IbfEdit->setText("20");
        m.GapEdit->setText("32");
        m.WorkDistEdit->setText("455");
        m.Fuse_Ibolt->setText("1");
        m.Fuse_Work_Dist->setText("455");
        m.CB_volt->setText("480");
        m.CB_Ibolt->setText("20");
        m.CB_workdist->setText("460");
        m.ir_edit->setText("25");
        m.it_edit->setText("2");
        app.Second().t1Edit->setText("0.2");
        app.Second().Edit2->setText("0.25");
        QApplication::processEvents();
    }
};

// Made in main, after the QApplication, and gone before it.
std::unique_ptr<Session> g_session;
Session& S() { return *g_session; }

void BM_EmpiricalNextToIntermediate(benchmark::State& st) {
    auto& app = S().app;
    app.main().PageControl1->setCurrentIndex(0);
    for (auto _ : st) {
        app.main().Calc1->click();
        QApplication::processEvents();
        st.PauseTiming();
        app.Second().Button1->click();
        QApplication::processEvents();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_EmpiricalNextToIntermediate)->Unit(benchmark::kMicrosecond);

void BM_EmpiricalNextToResults(benchmark::State& st) {
    auto& app = S().app;
    app.main().PageControl1->setCurrentIndex(0);
    app.main().Calc1->click();
    for (auto _ : st) {
        app.Second().Button2->click();
        QApplication::processEvents();
        st.PauseTiming();
        app.Third().Button1->click();
        QApplication::processEvents();
        st.ResumeTiming();
    }
    app.Second().Button1->click();
}
BENCHMARK(BM_EmpiricalNextToResults)->Unit(benchmark::kMicrosecond);

void NextToResults(benchmark::State& st, int tab) {
    auto& app = S().app;
    app.main().PageControl1->setCurrentIndex(tab);
    for (auto _ : st) {
        app.main().Calc1->click();
        QApplication::processEvents();
        st.PauseTiming();
        app.Third().Button1->click();
        QApplication::processEvents();
        st.ResumeTiming();
    }
}
void BM_FuseNextToResults(benchmark::State& st) { NextToResults(st, 1); }
void BM_BreakerNextToResults(benchmark::State& st) { NextToResults(st, 2); }
BENCHMARK(BM_FuseNextToResults)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BreakerNextToResults)->Unit(benchmark::kMicrosecond);

// "Create label" to the preview filled, then "Back" outside the timing.
void BM_CreateLabel(benchmark::State& st) {
    auto& app = S().app;
    app.main().PageControl1->setCurrentIndex(1);
    app.main().Calc1->click();
    for (auto _ : st) {
        app.Third().Button2->click();
        QApplication::processEvents();
        st.PauseTiming();
        app.Preview().Button1->click();
        QApplication::processEvents();
        st.ResumeTiming();
    }
    app.Third().Button1->click();
}
BENCHMARK(BM_CreateLabel)->Unit(benchmark::kMicrosecond);

// Each export from the shown preview to its file (capture, encoding, write).
void Export(benchmark::State& st, bool jpeg) {
    auto& app = S().app;
    auto& dialogs = S().dialogs;
    app.main().PageControl1->setCurrentIndex(1);
    app.main().Calc1->click();
    app.Third().Button2->click();
    const QString file = QDir::temp().filePath(jpeg ? "zentavo-bench.jpg" : "zentavo-bench.bmp");
    dialogs.saveName = file;
    for (auto _ : st) (jpeg ? app.Preview().Button3 : app.Preview().Button2)->click();
    QFile::remove(file);
    dialogs.saveName.clear();
    app.Preview().Button1->click();
    app.Third().Button1->click();
}
void BM_SaveBitmap(benchmark::State& st) { Export(st, false); }
void BM_SaveJpeg(benchmark::State& st) { Export(st, true); }
BENCHMARK(BM_SaveBitmap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveJpeg)->Unit(benchmark::kMicrosecond);

// "Compute" on the 2018 window to its filled results (the standard's
// medium-voltage example).
void BM_Ieee2018ComputeToResults(benchmark::State& st) {
    auto& app = S().app;
    app.main().show();
    app.main().findChild<QAction*>("Ieee2018Model1")->trigger();
    TIeee2018& w = app.Ieee2018();
    auto edit = [&w](const char* name) { return w.findChild<QLineEdit*>(QString::fromLatin1(name)); };
    auto button = [&w](const char* name) { return w.findChild<QPushButton*>(QString::fromLatin1(name)); };
    w.findChild<QComboBox*>(QStringLiteral("ElectrodeBox"))->setCurrentIndex(0);
    edit("VoltEdit")->setText("4160");
    edit("IbfEdit")->setText("15");
    edit("GapEdit")->setText("104");
    edit("HeightEdit")->setText("1143");
    edit("WidthEdit")->setText("762");
    edit("DepthEdit")->setText("508");
    edit("WorkDistEdit")->setText("914.4");
    edit("ArcTimeEdit")->setText("0.197");
    edit("ArcTimeReducedEdit")->setText("0.223");
    QApplication::processEvents();
    for (auto _ : st) {
        button("ComputeButton")->click();
        QApplication::processEvents();
    }
    button("BackButton")->click();
    QApplication::processEvents();
}
BENCHMARK(BM_Ieee2018ComputeToResults)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    g_session = std::make_unique<Session>();
    {
        // The first label of a run also decodes its background picture.
        auto& app = S().app;
        app.main().PageControl1->setCurrentIndex(1);
        app.main().Calc1->click();
        QElapsedTimer timer;
        timer.start();
        app.Third().Button2->click();
        QApplication::processEvents();
        std::printf("first Create label of the run (picture decoded): %.2f ms\n",
                    static_cast<double>(timer.nsecsElapsed()) / 1e6);
        app.Preview().Button1->click();
        app.Third().Button1->click();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_session.reset();
    return 0;
}
