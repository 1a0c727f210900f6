// The TNC menus of the ports module: the host-mode escapes, the alternate
// paths and Select TNC Type.
#include "app/MenuTable.h"
#include "app/PortsModule.h"
#include "ports/TncFiles.h"

namespace velmora {

bool PortsModule::TncCommand(uint16_t id) {
    switch (id) {
        case 3514: if (ports_.IsOpen(kPortHfTnc)) tnc_.StartTnc(kPortHfTnc); return true;
        case 3515: if (ports_.IsOpen(kPortVhfTnc)) tnc_.StartTnc(kPortVhfTnc); return true;
        case 3516: tnc_.ExitKiss(kPortHfTnc); return true;
        case 3517: tnc_.ExitKiss(kPortVhfTnc); return true;
        case 3518: tnc_.ExitAeaHostMode(kPortHfTnc); return true;
        case 3519: tnc_.ExitAeaHostMode(kPortVhfTnc); return true;
        case 3520: tnc_.ExitKantronicsHostMode(kPortHfTnc); return true;
        case 3521: tnc_.ExitKantronicsHostMode(kPortVhfTnc); return true;
        default: return false;
    }
}

void PortsModule::AddAltPathMenus() {
    for (const uint16_t base : {kCmdAltVhfNone, kCmdAltHfNone}) {
        std::vector<std::pair<uint16_t, std::string>> items = {
            {base, "-None-"}, {static_cast<uint16_t>(base + 1), "Default"}, {static_cast<uint16_t>(base + 2), "Other..."}};
        for (size_t i = 0; i < altPaths_.size() && i < 97; ++i)
            items.emplace_back(static_cast<uint16_t>(base + 3 + i), altPaths_[i]);
        s_.ui.AddMenu(base == kCmdAltVhfNone ? "Alternate VHF path" : "Alternate HF path", items);
    }
}

bool PortsModule::AltPathCommand(uint16_t id) {
    const bool vhf = id < kCmdAltHfNone;
    const uint16_t base = vhf ? kCmdAltVhfNone : kCmdAltHfNone;
    const size_t n = id - base;
    std::string path;
    if (n == 1) {
        path = s_.prefs.Text(pref::kUnprotoPath);
    } else if (n == 2) {
        const auto typed = s_.ui.AskText(vhf ? "Enter alternate path for VHF TNC" : "Enter alternate path for HF TNC",
                                         "APZVM via ");
        if (!typed) return true;  // cancelled: nothing changes
        path = *typed;
    } else if (n >= 3) {
        if (n - 3 >= altPaths_.size()) return false;
        path = altPaths_[n - 3];
    }
    tnc_.SetUnprotoPath(vhf ? Route::kVhfTag : Route::kHfTag, path);
    (vhf ? altVhfChoice_ : altHfChoice_) = id;
    return true;
}

void PortsModule::SelectTncType() {
    const FileAccess& files = s_.platform.files;
    const std::vector<TncModel> models = ListTncModels(files);
    std::vector<std::string> items, descriptions;
    for (const TncModel& m : models) {
        items.push_back(m.fileName + " - " + m.title);
        descriptions.push_back(m.description);
    }
    if (models.empty()) s_.ui.MessageBox("No TNC init files available", "Select TNC Type", Buttons::kOk);
    items.emplace_back("Default Velmora settings");
    descriptions.emplace_back("The built-in settings: echo off, digipeating on, monitoring on.");
    const int model = s_.ui.ChooseDescribed("Select TNC Type", items, descriptions);
    if (model < 0 || model >= static_cast<int>(items.size())) return;
    const int target = s_.ui.ChooseItem("Write as", {"InitVHF.TNC", "InitHF.TNC"});
    if (target < 0 || target > 1) return;
    const std::string text = model < static_cast<int>(models.size())
                                 ? ReadTncModel(files, models[static_cast<size_t>(model)].fileName)
                                 : std::string(kDefaultTncText);
    WriteInitFile(files, target == 0 ? "InitVHF.TNC" : "InitHF.TNC", text);
    tnc_.FindCommandFiles();
}

}  // namespace velmora
