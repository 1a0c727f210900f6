// Redrawing a 1280 x 800 map window offscreen with QPainter: the 1:10m
// Europe map, whole and zoomed to 50 km across (Paris, the densest names),
// and the 1:50m world. Frame time is what a pan or a zoom costs.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>
#include <cstdio>

#include "geo/Position.h"
#include "maps/MapList.h"
#include "maps/MapLoader.h"
#include "maps/MapWindow.h"
#include "platform/Files.h"
#include "maps/StationLayer.h"
#include "maps/SymbolArt.h"
#include "platform/qt/QtSurface.h"
#include "stations/StationTable.h"

namespace velmora {
namespace {

std::unique_ptr<MapWindow> WindowWith(const char* file) {
    DiskFiles files(VELMORA_SOURCE_DIR);
    MapDescriptor d;
    d.entry.realPath = files.RealPath(std::string("demo/Maps/") + file);
    const auto head = files.ReadWhole(d.entry.realPath, kMapHeadBytes);
    if (!head) return nullptr;
    auto header = ReadBinaryHeader(*head);
    if (!header) return nullptr;
    header->entry = d.entry;
    MapLoader loader;
    LoadedMap map;
    MapNotices notices;
    if (loader.Load(files, *header, map, notices) != MapLoadStatus::kLoaded) return nullptr;
    auto w = std::make_unique<MapWindow>(1280, 800);
    w->ShowMap(std::move(map));
    return w;
}

void Frame(benchmark::State& state, const char* file, double spanKm) {
    auto w = WindowWith(file);
    if (!w) {
        state.SkipWithError("demo map missing");
        return;
    }
    if (spanKm > 0) {
        const double lat = 48.8566, lon = 2.3522;
        const double spanDegrees = spanKm / (111.32 * std::cos(lat * 3.14159265358979 / 180));
        const int64_t half = static_cast<int64_t>(spanDegrees * kUnitsPerDegree / 2);
        const int32_t cx = LonUnitsFromDegrees(lon), cy = LatUnitsFromDegrees(lat);
        const int64_t halfY = half * w->View().Height() / w->View().Width();
        w->SetViewTo({static_cast<int32_t>(cx - half), static_cast<int32_t>(cx + half),
                      static_cast<int32_t>(cy - halfY), static_cast<int32_t>(cy + halfY)});
    }
    QtSurface surface(1280, 800);
    for (auto _ : state) {
        w->Draw(surface, MapScene{});
        benchmark::DoNotOptimize(surface.Finish().constBits());
    }
    state.counters["points"] = double(w->Map()->points.size());
    state.counters["scale"] = w->View().Scale();
}

// Stations spread over the view, moving, with calls and course vectors.
void Stations(benchmark::State& state, const char* file, int count) {
    auto w = WindowWith(file);
    if (!w) {
        state.SkipWithError("demo map missing");
        return;
    }
    StationTable table(count + 1);
    const GeoRect v = w->View().Visible();
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1103515245 + 12345; };
    for (int i = 0; i < count; ++i) {
        char call[16];
        std::snprintf(call, sizeof call, "S%05d", i);
        const StationIndex k = table.Append(call);
        if (k < 0) break;
        StationRecord& r = table.At(k);
        r.state = kStateInUse;
        r.lon = v.west + int32_t(next() % uint32_t(std::max(1, v.east - v.west)));
        r.lat = v.north + int32_t(next() % uint32_t(std::max(1, std::min(v.south, 64800000) - v.north)));
        r.symbolTable = i % 3 ? '/' : '\\';
        r.symbolCode = static_cast<char>('!' + next() % 94);
        r.course = int16_t(next() % 360);
        r.speedKnots = int16_t(i % 4 ? next() % 60 : 0);
    }
    SymbolArt art;
    StationLayer layer({&table, {}, 0, &art});
    MapScene scene;
    scene.layers.push_back(&layer);
    scene.symbols = &art;
    QtSurface picture(1280, 800), surface(1280, 800);
    w->DrawMap(picture, scene);
    // A station redraw: the kept map picture, then the stations.
    for (auto _ : state) {
        surface.DrawPicture(picture.Finish());
        w->DrawOverMap(surface, scene);
        benchmark::DoNotOptimize(surface.Finish().constBits());
    }
    state.counters["stations"] = count;
    state.counters["scale"] = w->View().Scale();
}

void BM_Stations2000_UnitedStates10m(benchmark::State& s) { Stations(s, "World/UnitedStates.map", 2000); }
void BM_Stations20000_World50m(benchmark::State& s) { Stations(s, "World.map", 20000); }
BENCHMARK(BM_Stations2000_UnitedStates10m)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Stations20000_World50m)->Unit(benchmark::kMillisecond);

void BM_MapFrame_Europe10m_Whole(benchmark::State& s) { Frame(s, "World/Europe.map", 0); }
void BM_MapFrame_Europe10m_Paris50km(benchmark::State& s) { Frame(s, "World/Europe.map", 50); }
void BM_MapFrame_World50m_Whole(benchmark::State& s) { Frame(s, "World.map", 0); }
BENCHMARK(BM_MapFrame_Europe10m_Whole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapFrame_Europe10m_Paris50km)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapFrame_World50m_Whole)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
