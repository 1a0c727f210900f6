#include "app/ListsModule.h"

#include "app/Settings.h"

namespace velmora {

ListsModule::ListsModule(ModuleServices services, ListWindows* windows) : s_(services), windows_(windows) {
    const ListSources sources{s_.app.Stations(), s_.app.Own(), s_.app.Now(), s_.app.History()};
    owned_.push_back(std::make_unique<StationListModel>(sources));
    owned_.push_back(std::make_unique<WeatherListModel>(sources));
    owned_.push_back(std::make_unique<HeardNowModel>(sources));
    owned_.push_back(std::make_unique<HistoryListModel>(sources));
    owned_.push_back(std::make_unique<StatusListModel>(s_.app.Status()));
    for (auto& m : MakeStationTables(sources)) owned_.push_back(std::move(m));
    owned_.push_back(std::make_unique<PacketStatisticsModel>(s_.app.Statistics()));
    for (const auto& m : owned_) models_.push_back(m.get());
    s_.app.Status().onChange = [this] {
        if (ListModel* m = Find("STAT")) m->Invalidate();
    };
}

ListsModule::~ListsModule() {
    if (windows_) windows_->ListsGone();
}

void ListsModule::Startup() { SetMetric(MapSettingsFrom(s_.prefs).metricUnits); }

void ListsModule::SetMetric(bool metric) {
    for (const auto& m : models_)
        if (auto* weather = dynamic_cast<WeatherListModel*>(m)) weather->SetMetric(metric);
}

ListModel* ListsModule::Find(std::string_view code) {
    for (const auto& m : models_)
        if (FourCCText(m->Code()) == code) return m;
    return nullptr;
}

bool ListsModule::Command(uint16_t id) {
    static constexpr std::pair<uint16_t, const char*> kLists[] = {
        {kCmdStationList, "STAL"}, {kCmdWeatherList, "WXXL"}, {kCmdHeardNowList, "WHNL"}, {kCmdHistoryList, "HISL"},
        {kCmdStatusList, "STAT"}, {8206, "POSL"}, {8207, "TRKL"}, {8208, "MICL"}, {8209, "FLGL"},
        {8210, "PTHL"}, {8211, "RDFL"}, {8212, "TLMY"}, {8213, "PKST"}, {8216, "IGAT"},
    };
    for (const auto& [command, code] : kLists) {
        if (command != id) continue;
        ListModel* m = Find(code);
        if (m && windows_) windows_->ShowList(*m);
        return true;
    }
    return false;
}

void ListsModule::InvalidateList(FourCC, FourCC list) {
    for (const auto& m : models_)
        if (m->Code() == list) m->Invalidate();
}

// A station that changed may have changed in every list of stations.
void ListsModule::InvalidateStations() {
    for (const auto& m : models_)
        if (m->Code() != MakeFourCC("HISL") && m->Code() != MakeFourCC("STAT")) m->Invalidate();
}

void ListsModule::RedrawStation(int32_t) { InvalidateStations(); }

void ListsModule::HistoryGrew(int32_t, std::string_view) {
    if (ListModel* h = Find("HISL")) h->Invalidate();
}

void ListsModule::HistoryRebuilt() { HistoryGrew(-1, {}); }

void ListsModule::StationsRenumbered(const std::vector<int32_t>&) {
    for (const auto& m : models_) m->Invalidate();
}

}  // namespace velmora
