#pragma once
// Two small settings dialogs as plain state: the messages' retries,
// notifications and NWS addressee, and where the GPS comes from. Each
// reads and writes the preferences and says what is wrong in the
// operator's words.
#include <string>

#include "app/Preferences.h"

namespace velmora {

struct MessageSettingsForm {
    int retries = 5;  // "Msg Retries"
    bool notifyMail = true, notifyBulletins = true, notifyAnnouncements = true;
    bool sound = true, roundTrip = true;
    std::string nwsStation;  // the "Msg to NWS" addressee

    static MessageSettingsForm From(const Preferences& prefs);
    void Store(Preferences& prefs) const;
    std::string Problem() const;
};

struct GpsSettingsForm {
    int source = 0;  // 0 the GPS port (or a TNC's cable), 1 gpsd
    std::string host = "localhost";
    int port = 2947;

    static GpsSettingsForm From(const Preferences& prefs);
    void Store(Preferences& prefs) const;
    std::string Problem() const;
};

}  // namespace velmora
