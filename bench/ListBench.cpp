// The station list under a full internet feed: a refresh of the model with
// 50,000 stations after 1,000 of them changed, and the view's sort.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/App.h"
#include "lists/StationLists.h"
#include "platform/fake/FakeClock.h"

namespace velmora {
namespace {

struct FullTable {
    FullTable() : files("/nonexistent-velmora-bench"), app(Platform{clock, notices, files}, Options()) {
        app.SetHome(41.7, -72.7);
        char line[96];
        for (int i = 0; i < 50000; ++i) {
            std::snprintf(line, sizeof line, "S%05d>APRS,TCPIP*:!%02d%02d.%02dN/072%02d.00W>%03d/%03d", i, 30 + i % 19,
                          i % 60, i % 100, i % 60, i % 360, i % 100);
            app.ProcessReceivedLine(line, Liveness::kReplay, SourceKind::kInternet);
        }
    }
    static AppOptions Options() {
        AppOptions o;
        o.stationCapacity = 50000;
        return o;
    }
    void Change(int first, int count) {
        char line[96];
        for (int i = first; i < first + count; ++i) {
            std::snprintf(line, sizeof line, "S%05d>APRS,TCPIP*:!4100.00N/07200.00W>090/010", i % 50000);
            app.ProcessReceivedLine(line, Liveness::kLive, SourceKind::kInternet);
        }
    }
    FakeClock clock;
    SilentNotices notices;
    DiskFiles files;
    App app;
};

void BM_StationListRefreshAfter1000Changes(benchmark::State& state) {
    FullTable t;
    StationListModel model({t.app.Stations(), t.app.Own(), t.app.Now(), t.app.History()});
    model.RefreshIfDirty();
    int first = 0;
    for (auto _ : state) {
        state.PauseTiming();
        t.Change(first, 1000);
        first += 1000;
        model.Invalidate();
        state.ResumeTiming();
        model.RefreshIfDirty();
        benchmark::DoNotOptimize(model.RowCount());
    }
    state.counters["rows"] = static_cast<double>(model.RowCount());
}
BENCHMARK(BM_StationListRefreshAfter1000Changes)->Unit(benchmark::kMillisecond);

void BM_StationListSortByDistance(benchmark::State& state) {
    FullTable t;
    StationListModel model({t.app.Stations(), t.app.Own(), t.app.Now(), t.app.History()});
    model.RefreshIfDirty();
    for (auto _ : state) benchmark::DoNotOptimize(ViewRows(model, "", 4, true));
}
BENCHMARK(BM_StationListSortByDistance)->Unit(benchmark::kMillisecond);

void BM_StationListFilter(benchmark::State& state) {
    FullTable t;
    StationListModel model({t.app.Stations(), t.app.Own(), t.app.Now(), t.app.History()});
    model.RefreshIfDirty();
    for (auto _ : state) benchmark::DoNotOptimize(ViewRows(model, "S4999", -1, true));
}
BENCHMARK(BM_StationListFilter)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora
