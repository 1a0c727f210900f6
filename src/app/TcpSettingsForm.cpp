#include "app/TcpSettingsForm.h"

#include "app/Settings.h"

namespace velmora {

TcpSettingsForm TcpSettingsForm::From(const Preferences& p) {
    TcpSettingsForm f;
    const InternetLinkSettings links = InternetLinkSettingsFrom(p);
    f.autostart = links.autostart;
    f.feedLocal = links.feedLocal;
    f.ignoreIncoming = links.ignoreIncoming;
    f.autoReconnect = links.autoReconnect;
    f.filter = links.filter;
    f.rangeKm = links.rangeKm;
    f.outgoingThirdParty = p.Flag(pref::kOutgoingThirdParty);
    f.enableServer = p.Flag(pref::kEnableServer);
    f.serverPort = static_cast<int>(p.Number(pref::kServerPort));
    f.igatePerMinute = static_cast<int>(p.Number(pref::kIgatePerMinute));
    f.igatePerFiveMinutes = static_cast<int>(p.Number(pref::kIgatePerFiveMinutes));
    f.serverAllInterfaces = p.Flag(pref::kServerAllInterfaces);
    f.serverToRf = p.Flag(pref::kServerToRf);
    const int64_t idle = p.Number(pref::kServerIdleMinutes);
    f.serverIdleMinutes = idle == 0 ? 30 : idle < 0 ? 0 : static_cast<int>(idle);
    return f;
}

std::string TcpSettingsForm::Problem() const {
    for (const char c : filter) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) return "The server filter is one line (for example r/41.5/-72.5/200)";
    }
    if (filter.size() > 127) return "The server filter holds at most 127 characters";
    if (serverPort < 0 || serverPort > 65535) return "The server port is a number from 1 to 65535 (for example 2023)";
    if (rangeKm < 1 || rangeKm > 5000) return "The range round home is 1 to 5000 km (for example 200)";
    if (igatePerMinute < 0 || igatePerMinute > 100 || igatePerFiveMinutes < 0 || igatePerFiveMinutes > 100)
        return "The IGate's packets to radio are 0 to 100 (for example 6 a minute and 10 in five minutes)";
    if (serverIdleMinutes < 0 || serverIdleMinutes > 10000) return "The idle time is 0 (never) to 10000 minutes";
    return {};
}

bool TcpSettingsForm::Store(Preferences& p) const {
    if (!Problem().empty()) return false;
    bool ok = true;
    ok &= p.SetNumber(pref::kAutostartTcp, autostart);
    ok &= p.SetNumber(pref::kFeedLocalToTcp, feedLocal);
    ok &= p.SetNumber(pref::kIgnoreIncomingTcp, ignoreIncoming);
    ok &= p.SetNumber(pref::kAutoReconnect, autoReconnect);
    ok &= p.SetNumber(pref::kOutgoingThirdParty, outgoingThirdParty);
    ok &= p.SetNumber(pref::kEnableServer, enableServer);
    ok &= p.SetText(pref::kInternetFilter, filter);
    ok &= p.SetNumber(pref::kInternetRangeKm, rangeKm);
    ok &= p.SetNumber(pref::kServerPort, serverPort);
    ok &= p.SetNumber(pref::kIgatePerMinute, igatePerMinute);
    ok &= p.SetNumber(pref::kIgatePerFiveMinutes, igatePerFiveMinutes);
    ok &= p.SetNumber(pref::kServerAllInterfaces, serverAllInterfaces);
    ok &= p.SetNumber(pref::kServerToRf, serverToRf);
    // 0 in the record means the default (older files hold 0); never is -1.
    ok &= p.SetNumber(pref::kServerIdleMinutes, serverIdleMinutes == 0 ? -1 : serverIdleMinutes);
    return ok;
}

}  // namespace velmora
