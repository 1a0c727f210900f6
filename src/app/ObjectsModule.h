#pragma once
// The operator's own objects and items as a module: made, moved and killed
// from the console, the map and the object dialog; kept in "Objects.txt";
// shown in the station table as ours (marker "+"); sent at once when
// changed and then on the object schedule and to "?APRSO".
#include <string>
#include <string_view>
#include <vector>

#include "app/Module.h"
#include "app/ObjectForm.h"
#include "transmit/OwnObjects.h"

namespace velmora {

class TransmitModule;

class ObjectsModule final : public Module {
public:
    ObjectsModule(ModuleServices services, TransmitModule& transmit, class SettingsDialogs* dialogs)
        : s_(services), transmit_(transmit), dialogs_(dialogs) {}

    void Startup() override;
    void MinuteChanged(const LocalDateTime&) override { MirrorAll(); }
    void Shutdown() override { Save(); }

    // Each returns what happened in the operator's words, or the problem.
    struct Outcome {
        bool ok = false;
        std::string text;
    };
    Outcome Put(OwnObjectEntry entry);
    Outcome Move(const std::string& name, int32_t lon, int32_t lat);
    Outcome Kill(const std::string& name);
    const OwnObjectStore& Store() const { return store_; }
    bool IsOwn(std::string_view name) const { return store_.Find(name) != nullptr; }
    // The object dialog: a new object at a point, or one of ours to edit;
    // what it made is sent at once. False when cancelled or refused.
    bool CreateAt(int32_t lon, int32_t lat);
    bool Edit(const std::string& name);

    // The reports for one route, for the schedule, the menu and "?APRSO".
    std::vector<std::string> ReportsFor(char route);

private:
    void MirrorAll();
    void Mirror(const OwnObjectEntry& e);
    void SendNow(const OwnObjectEntry& e);
    void DropSpent();
    void Save();

    ModuleServices s_;
    bool RunDialog(ObjectForm form);

    TransmitModule& transmit_;
    class SettingsDialogs* dialogs_;
    OwnObjectStore store_;
};

// "EOC at 47°36.50′N 122°20.00′W, /o Emergency operations centre: comment".
std::string DescribeObject(const OwnObjectEntry& e);

}  // namespace velmora
