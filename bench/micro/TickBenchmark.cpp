// What one tick of the bar costs: the date row and the memory row computed and set, with the
// clock moving a second each time. A benchmark, not a test: run it by hand (off screen).
//   QT_QPA_PLATFORM=offscreen build/<dir>/bench/micro/bar_tick_benchmark

#include "support/BarRig.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace veskor;

void tick(benchmark::State& state) {
    test::BarRig rig;
    rig.clock.set(encodeDate(2026, 12, 8) + encodeTime(10, 20, 30, 0));
    rig.settings.values = {{"Memory", 1}}; // the memory row is read every tick
    BarWindow& bar = rig.make();
    bar.show();
    for (auto _ : state) {
        rig.clock.set(rig.clock.now() + 1.0 / 86400.0);
        bar.tick();
        // The repaint of the cells that changed, as the event loop would do it.
        QApplication::processEvents();
    }
}
BENCHMARK(tick)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
