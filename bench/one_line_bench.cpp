// SPDX-License-Identifier: GPL-3.0-or-later
// The one-line diagram of the generated network studies of
// network_study_bench (1 000 to 10 000 buses, radial and meshed: 5 % extra
// cables, each closing a loop) and of the 32-bus plant example: its
// diagram read from the study (StudyDiagram), its layout (LayOut), and the
// picture painted as the study window paints it fitted to a 1600 x 900
// window (the large networks' notes without their letters, too small to
// read there).
//   QT_QPA_PLATFORM=offscreen build/bench/one_line_bench
#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "network_study_maker.h"
#include "oneline/diagram.h"
#include "oneline/layout.h"
#include "render/one_line_painter.h"
#include "study/study_file.h"

namespace {

// The studies, each read (and computed) once: its time is not the one-line's.
const zentavo::StudyFile& Study(int buses, bool meshed) {
    static std::map<std::pair<int, bool>, std::unique_ptr<zentavo::StudyFile>> studies;
    auto& held = studies[{buses, meshed}];
    if (!held) {
        zentavo::StudyOptions options;
        options.arcSteps = false;
        std::string text;
        if (buses == 32) {
            QFile f(QStringLiteral(ZENTAVO_EXAMPLES_DIR "/plant-network.csv"));
            if (f.open(QIODevice::ReadOnly)) text = f.readAll().toStdString();
        } else {
            text = zentavo::bench::MakeNetworkStudy(buses, meshed, false);
        }
        held = std::make_unique<zentavo::StudyFile>(zentavo::StudyFile::Parse(text, options));
    }
    return *held;
}

void BM_OneLineDiagram(benchmark::State& st) {
    const zentavo::StudyFile& file = Study(static_cast<int>(st.range(0)), st.range(1) != 0);
    for (auto _ : st) benchmark::DoNotOptimize(zentavo::oneline::StudyDiagram(file).buses.size());
}

void BM_OneLineLayout(benchmark::State& st) {
    const zentavo::oneline::Diagram diagram = zentavo::oneline::StudyDiagram(Study(static_cast<int>(st.range(0)), st.range(1) != 0));
    for (auto _ : st) benchmark::DoNotOptimize(zentavo::oneline::LayOut(diagram).width);
    st.counters["buses"] = static_cast<double>(diagram.buses.size());
    st.counters["elements"] = static_cast<double>(diagram.elements.size());
}

void BM_OneLinePaint(benchmark::State& st) {
    const zentavo::oneline::Diagram diagram = zentavo::oneline::StudyDiagram(Study(static_cast<int>(st.range(0)), st.range(1) != 0));
    const zentavo::oneline::Layout layout = zentavo::oneline::LayOut(diagram);
    QImage image(1600, 900, QImage::Format_RGB32);
    const double zoom = std::min(image.width() / layout.width, image.height() / layout.height);
    for (auto _ : st) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(zoom, zoom);
        zentavo::render::PaintOneLine(painter, diagram, layout, zentavo::render::OneLineStyle{});
    }
}

// clang-format off
BENCHMARK(BM_OneLineDiagram)->Args({32, 1})->ArgsProduct({{1000, 3000, 10000}, {0, 1}})
    ->ArgNames({"buses", "meshed"})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneLineLayout)->Args({32, 1})->ArgsProduct({{1000, 3000, 10000}, {0, 1}})
    ->ArgNames({"buses", "meshed"})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneLinePaint)->Args({32, 1})->Args({10000, 1})
    ->ArgNames({"buses", "meshed"})->Unit(benchmark::kMillisecond);
// clang-format on

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
