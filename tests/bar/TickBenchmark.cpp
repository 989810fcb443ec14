// What one tick of the bar costs: the date row and the memory row computed and set, with the
// clock moving a second each time. A benchmark, not a test: run it by hand (off screen).
//   QT_QPA_PLATFORM=offscreen build/<dir>/tests/bar/bar_tick_benchmark

#include "bar/widgets/BarWindow.h"
#include "platform/FixedClock.h"
#include "platform/fake/FakeFileStore.h"
#include "platform/fake/FakeMemoryInfo.h"
#include "platform/fake/FakeSettingsStore.h"
#include "platform/fake/FakeTaskbar.h"
#include "platform/fake/FakeWindowState.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace veskor;

void tick(benchmark::State& state) {
    FixedClock clock{encodeDate(2026, 12, 8) + encodeTime(10, 20, 30, 0)};
    FakeMemoryInfo memory;
    FakeSettingsStore settings;
    settings.values = {{"Memory", 1}}; // the memory row is read every tick
    FakeWindowState windowState;
    FakeTaskbar taskbar;
    FakeFileStore files;
    BarWindow bar(BarServices{clock, memory, settings, windowState, taskbar, files,
                              LocaleFormat::english(), "/data", [](const QString&) {}},
                  {});
    bar.show();
    for (auto _ : state) {
        clock.set(clock.now() + 1.0 / 86400.0);
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
