#pragma once
// The list windows' models: they follow the station events, refresh when
// shown, and open from the Lists menu in the front end's list windows (the
// desktop's table views, the console's printed rows).
#include <memory>
#include <string_view>
#include <vector>

#include "app/Module.h"
#include "lists/ListModel.h"
#include "lists/PacketStatisticsList.h"
#include "lists/StationLists.h"
#include "lists/StationTables.h"
#include "lists/StatusLog.h"

namespace velmora {

// Where a front end shows a list model.
class ListWindows {
public:
    virtual ~ListWindows() = default;
    virtual void ShowList(ListModel& model) = 0;
    // Closes the windows of a list (its rows are about to go).
    virtual void CloseList(ListModel& /*model*/) {}
    // The models are going away: close every list window.
    virtual void ListsGone() {}
};

constexpr uint16_t kCmdStationList = 8201;
constexpr uint16_t kCmdWeatherList = 8202;
constexpr uint16_t kCmdHeardNowList = 8203;
constexpr uint16_t kCmdHistoryList = 8204;
constexpr uint16_t kCmdStatusList = 8205;

class ListsModule final : public Module, private StationEvents {
public:
    ListsModule(ModuleServices services, ListWindows* windows);
    ~ListsModule() override;

    bool Command(uint16_t id) override;
    StationEvents* StationListener() override { return this; }

    // A model by its list code ("STAL"); null for none.
    ListModel* Find(std::string_view code);
    // The weather list in the units the maps use.
    void SetMetric(bool metric);
    void Startup() override;
    const std::vector<ListModel*>& Models() const { return models_; }
    // A model another module owns (the message list), found and listed as
    // the others are; it must outlive this module's windows.
    void Adopt(ListModel& model) { models_.push_back(&model); }

private:
    void InvalidateList(FourCC windowClass, FourCC list) override;
    void RedrawStation(int32_t index) override;
    void NewStationLogLine(std::string_view) override {}
    void CentreMapOn(int32_t) override {}
    void HistoryGrew(int32_t, std::string_view) override;
    void HistoryRebuilt() override;
    void StationsRenumbered(const std::vector<int32_t>& remap) override;
    void InvalidateStations();

    ModuleServices s_;
    ListWindows* windows_;
    std::vector<std::unique_ptr<ListModel>> owned_;
    std::vector<ListModel*> models_;  // the owned ones, then the adopted
};

}  // namespace velmora
