// Lines per second through the received-line entry.
#include <benchmark/benchmark.h>

#include "TrafficMix.h"
#include "app/App.h"
#include "platform/fake/FakeClock.h"

namespace velmora {
namespace {

void DecodeMix(benchmark::State& state, int stations, int capacity, const Clock& clock) {
    const auto lines = bench::MakeTrafficMix(200000, stations);
    SilentNotices notices;
    DiskFiles files("/nonexistent-velmora-bench");
    AppOptions options;
    options.stationCapacity = capacity;
    App app(Platform{clock, notices, files}, options);
    app.SetHome(41.7, -72.7);
    size_t i = 0;
    for (auto _ : state) {
        app.ProcessReceivedLine(lines[i], Liveness::kLive, SourceKind::kVhf);
        if (++i == lines.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["stations"] = app.Stations().UsedCount();
}

void BM_Decode2000Stations(benchmark::State& state) {
    FakeClock clock;
    DecodeMix(state, 2000, 2048, clock);
}
BENCHMARK(BM_Decode2000Stations);

void BM_Decode50000Stations(benchmark::State& state) {
    FakeClock clock;
    DecodeMix(state, 50000, 50000, clock);
}
BENCHMARK(BM_Decode50000Stations);

// The same with the machine's clock, as the decoder tool runs.
void BM_Decode2000StationsSystemClock(benchmark::State& state) {
    SystemClock clock;
    DecodeMix(state, 2000, 2048, clock);
}
BENCHMARK(BM_Decode2000StationsSystemClock);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
