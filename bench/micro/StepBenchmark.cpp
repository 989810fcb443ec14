// CPU time of one scope step on the bar's 253 x 101 picture with both memory traces drawn.

#include "scope/widgets/MemoryScope.h"
#include "scope/widgets/ScopeView.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using veskor::MemoryScope;
using veskor::ScopeView;

void stepBarPicture(benchmark::State& state) {
    ScopeView scope({.baseline = 0, .gridSize = MemoryScope::kGridSize});
    scope.resize(MemoryScope::kViewSize);
    scope.clear();
    scope.setTraceEnabled(0, true);
    scope.setTraceEnabled(1, true);
    scope.setMaximum(0, 6'291'456);
    scope.setMaximum(1, 8'388'608);
    std::int64_t free = 0;
    for (auto _ : state) {
        // A changing value, so that the segments are not all flat.
        free = (free + 97'001) % 6'291'456;
        scope.setPosition(0, free);
        scope.setPosition(1, 8'388'608 - free);
        scope.step();
    }
    benchmark::DoNotOptimize(scope.picture().constBits());
}
BENCHMARK(stepBarPicture);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
