#pragma once
// NTS radiograms: sections messaging hands over are collected into the
// radiogram store; a radiogram written here goes out as its numbered
// sections through the outgoing message queue; the "NTS Messages" list.
#include <functional>
#include <functional>
#include <string>
#include <vector>

#include "app/Module.h"
#include "lists/RadiogramList.h"
#include "special/Nts.h"

namespace velmora {

class ListWindows;
class MessagingModule;

constexpr uint16_t kCmdNtsList = 8219;
constexpr uint16_t kCmdNewNts = 8220;

// The "NTS Message" window's content: the radiogram and its text.
struct RadiogramForm {
    Radiogram radiogram;
    std::string text;
};

class NtsModule final : public Module {
public:
    NtsModule(ModuleServices services, MessagingModule& messaging, ListWindows* lists);
    bool Command(uint16_t id) override;

    // A radiogram section heard (the message's sender, addressee, number).
    void Section(std::string_view from, std::string_view to, std::string_view text, std::string_view number);
    // A new radiogram with this station's defaults.
    Radiogram New();
    // Sends a radiogram with its text (the check is worked out here); the
    // number of messages queued.
    size_t Send(Radiogram r, std::string_view text);
    // "nts": the radiograms; "nts show N"; "nts send CALL TEXT...".
    std::vector<std::string> ConsoleCommand(std::string_view args);

    const RadiogramStore& Store() const { return store_; }
    // The "NTS Message" window; true when the operator sent it.
    std::function<bool(RadiogramForm&)> editRadiogram = [](RadiogramForm&) { return false; };
    ListModel& List() { return list_; }
    RadiogramListModel& Radiograms() { return list_; }

private:
    ModuleServices s_;
    MessagingModule& messaging_;
    ListWindows* lists_;
    RadiogramStore store_;
    RadiogramListModel list_{store_};
};

}  // namespace velmora
