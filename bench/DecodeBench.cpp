// Lines per second through the received-line entry.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TrafficMix.h"
#include "app/App.h"
#include "platform/fake/FakeClock.h"

namespace velmora {
namespace {

// Today's air: a share of the lines go to destinations that are no APRS
// destination (a digipeater alias, another station's call, a software's
// own code), which the decoder must still decode. Mic-E keeps its own.
std::vector<std::string> WithOtherDestinations(std::vector<std::string> lines, int percent) {
    static const char* const kOthers[] = {"LOCAL", "AKLPRZ", "KC0PID-7", "R2D2M2"};
    for (size_t i = 0; i < lines.size(); ++i) {
        if (static_cast<int>(i % 100) >= percent) continue;
        std::string& l = lines[i];
        const size_t gt = l.find('>'), colon = l.find(':');
        if (gt == std::string::npos || colon == std::string::npos || colon + 1 >= l.size()) continue;
        if (l[colon + 1] == '`' || l[colon + 1] == '\'') continue;
        const size_t end = std::min(l.find(',', gt), colon);
        l.replace(gt + 1, end - gt - 1, kOthers[i % 4]);
    }
    return lines;
}

void DecodeLines(benchmark::State& state, const std::vector<std::string>& lines, int capacity, const Clock& clock) {
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

void DecodeMix(benchmark::State& state, int stations, int capacity, const Clock& clock) {
    DecodeLines(state, bench::MakeTrafficMix(200000, stations), capacity, clock);
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

// A full internet feed's table, with a fifth of the lines to destinations
// that are not APRS destinations.
void BM_Decode50000StationsOtherDestinations(benchmark::State& state) {
    FakeClock clock;
    DecodeLines(state, WithOtherDestinations(bench::MakeTrafficMix(200000, 50000), 20), 50000, clock);
}
BENCHMARK(BM_Decode50000StationsOtherDestinations);

// The same with the machine's clock, as the decoder tool runs.
void BM_Decode2000StationsSystemClock(benchmark::State& state) {
    SystemClock clock;
    DecodeMix(state, 2000, 2048, clock);
}
BENCHMARK(BM_Decode2000StationsSystemClock);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
