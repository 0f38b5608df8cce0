// SPDX-License-Identifier: MIT
// Times one frame of the opening table painted by the game's own view
// (FormView and ScenePainter) into an image the size of the client area,
// at device pixel ratio 1 and 2, and the check an idle tick makes instead.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "core/game/form1.h"
#include "core/scene/scene.h"
#include "qt/form_view.h"
#include "support/game.h"

namespace {

// The game as at start-up; every box closes at once and no exit comes.
using QuietGame = vorl::testing::GameWith<vorl::testing::SilentMessageBox, vorl::SeededRandom,
                                          vorl::testing::SilentProgramExit>;

void PaintOpeningTable(benchmark::State& state) {
    const int ratio = static_cast<int>(state.range(0));
    QuietGame quiet;
    vorl::Form1& game = quiet.form;
    vorl::FormView view(game);
    QImage image(view.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    // The cloth's green in the middle of the table shows the frame was drawn.
    if (image.pixel(image.width() / 4, image.height() / 4) != qRgb(0, 128, 0)) {
        state.SkipWithError("the table was not drawn");
    }
    state.counters["pixels"] = image.width() * image.height();
}
BENCHMARK(PaintOpeningTable)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// What every tick of an idle game costs the view: the scene that would be
// drawn, compared with the last frame's.
void IdleCheckOpeningTable(benchmark::State& state) {
    QuietGame quiet;
    vorl::Form1& game = quiet.form;
    vorl::Scene painted;
    painted.build(game, 1.0);
    vorl::Scene current;
    bool same = true;
    for (auto _ : state) {
        current.build(game, 1.0);
        same = current.looksLike(painted);
        benchmark::DoNotOptimize(same);
    }
    if (!same) {
        state.SkipWithError("an unchanged table looked different");
    }
    state.counters["primitives"] = static_cast<double>(current.primitives().size());
}
BENCHMARK(IdleCheckOpeningTable);

}  // namespace

int main(int argc, char** argv) {
    // Painting needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
