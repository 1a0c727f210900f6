#pragma once
// "TCP settings" as typed values: the internet links' options, the server
// filter, the IGate's limits and the APRS server's (its port, who may reach
// it, whether its clients may reach the air, the idle time). The dialog
// edits this; only this reads and writes the preferences.
#include <string>

#include "app/Preferences.h"

namespace velmora {

struct TcpSettingsForm {
    bool autostart = false, feedLocal = false, ignoreIncoming = false, autoReconnect = true;
    bool outgoingThirdParty = false, enableServer = false;
    std::string filter;  // empty: a range round home
    int rangeKm = 200;
    int serverPort = 23;
    int igatePerMinute = 6, igatePerFiveMinutes = 10;
    bool serverAllInterfaces = false;  // else 127.0.0.1 only
    bool serverToRf = false;           // verified clients' packets may be gated to radio
    int serverIdleMinutes = 30;        // 0: never

    static TcpSettingsForm From(const Preferences& p);
    // Empty when it may be stored; else what is wrong, with an example.
    std::string Problem() const;
    [[nodiscard]] bool Store(Preferences& p) const;
};

}  // namespace velmora
