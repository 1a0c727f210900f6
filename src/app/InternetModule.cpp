#include "app/InternetModule.h"

#include "app/Settings.h"
#include "app/SettingsDialogs.h"
#include "geo/Position.h"

namespace velmora {
namespace {

std::vector<std::string> LinesOf(const FileAccess& files, const char* name, bool& found) {
    std::vector<std::string> lines;
    found = files.ReadLines(name, [&](std::string_view l) {
        if (lines.size() < 10000) lines.emplace_back(l);
    });
    return lines;
}

}  // namespace

InternetModule::InternetModule(ModuleServices services, Network* network, SettingsDialogs* dialogs)
    : s_(services), dialogs_(dialogs), links_(network, services.platform.clock) {
    links_.onLine = [this](std::string_view line, bool verified) {
        // An IGate whose login the server did not verify gates nothing to radio.
        s_.app.ProcessReceivedLine(std::string(line), Liveness::kLive, SourceKind::kInternet,
                                   verified ? Gating::kAllowed : Gating::kNever);
    };
    links_.onStationLine = [this](std::string_view line) { (void)s_.app.ReadStationExchange(line); };
    links_.onTerminal = [this](std::string_view text, int colour) {
        if (terminalOnLinks() || links_.ManualLoginActive()) s_.ui.TerminalOutput(text, colour);
    };
    links_.onStatus = [this](std::string_view text) { s_.platform.notices.StatusText(text); };
    links_.onLoggedIn = [this](size_t) { sendPosition(); };
    links_.onChanged = [this] { s_.ui.RefreshCheckMarks(); };
    links_.onManualLogin = [this] { s_.ui.ShowTerminal("Telnet - CLOSE when logged on"); };
}

void InternetModule::SendPacket(std::string_view packet) {
    while (!packet.empty() && (packet.back() == '\r' || packet.back() == '\n')) packet.remove_suffix(1);
    if (packet.empty() || dupes_.Check(packet, s_.platform.clock.NowStamp()) != UplinkVerdict::kSend) return;
    links_.SendToLinks(std::string(packet) + "\r\n");
}

void InternetModule::ApplySettings() {
    const InternetLinkSettings t = InternetLinkSettingsFrom(s_.prefs);
    InternetSettings s;
    s.call = std::string(s_.app.Own().call.View());
    s.autoReconnect = t.autoReconnect;
    s.ignoreIncoming = t.ignoreIncoming;
    s.filter = t.filter;
    const OwnStation& own = s_.app.Own();
    // Today's user ports send nothing without a filter: by default, the
    // stations within 200 km of home.
    if (s.filter.empty() && own.HasHome())
        s.filter = RangeFilter(LatDegreesFromUnits(own.homeLat), LonDegreesFromUnits(own.homeLon), t.rangeKm);
    links_.SetSettings(s);
}

void InternetModule::Startup() {
    ApplySettings();
    HostLists lists;
    bool found = false;
    ReadHostList(LinesOf(s_.platform.files, "APRServe.txt", found), 1, lists);
    if (!found) lists.entries.push_back(BuiltInServer());
    const auto extra = LinesOf(s_.platform.files, "APRSxtra.txt", found);
    ReadHostList(found ? extra : LinesOf(s_.platform.files, "APRSserv.txt", found), 0, lists);
    if (lists.entries.size() > kMaxHostEntries) {
        s_.platform.notices.StatusText("Only the first " + std::to_string(kMaxHostEntries) +
                                       " servers of the host lists are in the menu");
        lists.entries.resize(kMaxHostEntries);
    }
    links_.SetHosts(std::move(lists));
}

void InternetModule::Started() {
    std::vector<std::pair<uint16_t, std::string>> items = {{kCmdTcpSettings, "TCP settings..."},
                                                           {kCmdCloseAllLinks, "Close all TCP ports"},
                                                           {kCmdConnectNetwork, "Connect to APRServe Network"},
                                                           {4004, "TCP Connection Status"}};
    for (size_t i = 0; i < links_.Links().size(); ++i) {
        const HostEntry& h = links_.Links()[i].host;
        items.emplace_back(static_cast<uint16_t>(kCmdFirstLink + i), h.host + ":" + h.portText);
    }
    s_.ui.AddMenu("TCP/IP Connections", items);
    if (InternetLinkSettingsFrom(s_.prefs).autostart && !links_.AnyWanted() && !links_.Links().empty()) links_.Toggle(0);
}

bool InternetModule::Command(uint16_t id) {
    if (id == kCmdTcpSettings) {
        if (dialogs_ && dialogs_->EditTcpSettings(s_.prefs)) {
            if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
            const std::string before = links_.Settings().filter;
            ApplySettings();
            // A changed filter reaches the connected servers at once.
            if (links_.Settings().filter != before) links_.ChangeFilter(links_.Settings().filter);
            settingsChanged();
        }
        return true;
    }
    if (id == kCmdCloseAllLinks) {
        links_.CloseAll();
        return true;
    }
    if (id == kCmdConnectNetwork) {
        links_.ConnectToNetwork();
        return true;
    }
    if (id < kCmdFirstLink || id >= kCmdFirstLink + links_.Links().size()) return false;
    const size_t i = id - kCmdFirstLink;
    if (!links_.Links()[i].wanted && links_.AnyWanted()) {
        if (s_.ui.MessageBox("Another TCP port is already open, Close it?", "Velmora", Buttons::kOkCancel) !=
            Answer::kOk) {
            s_.platform.notices.Beep();
            return true;
        }
        links_.CloseAll();
    }
    ApplySettings();
    links_.Toggle(i);
    return true;
}

bool InternetModule::IsChecked(uint16_t id) const {
    if (id < kCmdFirstLink || id >= kCmdFirstLink + links_.Links().size()) return false;
    return links_.Links()[id - kCmdFirstLink].wanted;
}

}  // namespace velmora
