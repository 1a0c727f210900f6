#pragma once
// The weather alerts module: the area table from the "Counties" outlines,
// the bulletins messaging hands over, their expiry every quarter hour, the
// relaying of internet bulletins for chosen areas to VHF, the alarm near
// home, the areas shaded on every map, the "NWS-Counties List" window and,
// at a station entitled to it, the sending of bulletins.
#include <functional>
#include <string>
#include <vector>

#include "app/MenuTable.h"
#include "app/Module.h"
#include "lists/NwsListModel.h"
#include "maps/ShadedAreas.h"
#include "messaging/NwsAlerts.h"

namespace velmora {

class ListWindows;
class MapsModule;
class MessagingModule;
class TransmitModule;

constexpr uint16_t kCmdNwsList = kCmdNwsListItem;

// What the operator chooses when sending: the expiry and the event.
struct NwsExpiryForm {
    LocalDateTime expiry;
    std::string event = "general";  // one of kNwsEvents, or the operator's own word
};

class NwsModule final : public Module {
public:
    NwsModule(ModuleServices services, MapsModule& maps, MessagingModule& messaging, TransmitModule& transmit,
              ListWindows* lists);

    void Startup() override;
    bool Command(uint16_t id) override;
    void MinuteChanged(const LocalDateTime& now) override;

    // A new message to an "NWS-" (or "NWS_") addressee.
    void Bulletin(std::string_view from, std::string_view to, std::string_view text, char port, bool live);
    // Sends a level to areas (indexes into the table): the expiry dialog
    // first unless cancelling; false when nothing was sent.
    bool Send(int level, const std::vector<int>& areas);
    // The same with the expiry and event already chosen (the console's way).
    bool SendChosen(int level, const std::vector<int>& areas, const NwsExpiryForm& form);
    // "nws" on the console: the areas with an alert; "nws send LEVEL EVENT
    // CODE..." sends (LEVEL cancel, advis, watch, warn or test).
    std::vector<std::string> ConsoleCommand(std::string_view args);
    // Every quarter hour; public for the console and the tests.
    void ExpireAlerts();

    const NwsAlerts& Alerts() const { return alerts_; }
    NwsListModel& List() { return list_; }
    const ShadedAreaLayer& Shading() const { return shading_; }
    // The expiry dialog; false when the operator cancelled.
    std::function<bool(NwsExpiryForm&)> askExpiry = [](NwsExpiryForm&) { return false; };

private:
    void LoadAreas();
    void LoadFiles();
    void Changed();

    ModuleServices s_;
    MapsModule& maps_;
    MessagingModule& messaging_;
    TransmitModule& transmit_;
    ListWindows* lists_;
    NwsAlerts alerts_;
    NwsListModel list_{alerts_};
    ShadedAreaLayer shading_;
};

}  // namespace velmora
