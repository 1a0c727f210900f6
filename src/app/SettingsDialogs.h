#pragma once
#include <string>
// The settings dialogs a front end offers over the preferences record.
#include "app/Preferences.h"
#include "app/FirstStartForm.h"
#include "app/PortSettingsForm.h"
#include "app/SettingsForms.h"
#include "app/TncSettingsForm.h"
#include "app/DisplayOptionsForm.h"
#include "app/NwsModule.h"
#include "app/RefDataModule.h"
#include "app/NtsModule.h"
#include "app/ObjectForm.h"
#include "ports/TncSettings.h"

namespace velmora {

class SettingsDialogs {
public:
    virtual ~SettingsDialogs() = default;
    // The station-settings dialog; true when the operator saved it.
    virtual bool EditStationSettings(Preferences& prefs) = 0;
    // "Position Report Settings"; true when the operator saved it.
    virtual bool EditReportRates(Preferences& /*prefs*/) { return false; }
    // "TCP settings"; true when the operator saved it.
    virtual bool EditTcpSettings(Preferences& /*prefs*/) { return false; }
    // "Port Settings"; true when the operator saved it (the form is then checked).
    virtual bool EditPortSettings(PortSettingsForm& /*form*/) { return false; }
    // "KISS mode options" of both radio ports (HF first); true when saved.
    virtual bool EditKissSettings(TncSettings& /*settings*/) { return false; }
    // The first-start assistant of a new station; true when it was finished
    // (the form is then checked).
    virtual bool RunFirstStart(FirstStartForm& /*form*/) { return false; }
    // "Message Settings" and "GPS Settings"; true when saved (then checked).
    virtual bool EditMessageSettings(MessageSettingsForm& /*form*/) { return false; }
    virtual bool EditGpsSettings(GpsSettingsForm& /*form*/) { return false; }
    virtual bool EditTncSettings(TncSettingsForm& /*form*/) { return false; }
    // Display Options, or with unitsOnly just the units.
    virtual bool EditDisplayOptions(DisplayOptionsForm& /*form*/, bool /*unitsOnly*/) { return false; }
    // "Enter expiration time" before a weather bulletin goes out.
    virtual bool AskNwsExpiry(NwsExpiryForm& /*form*/) { return false; }
    // The map window's "Find" dialog (airport and zip code).
    virtual bool AskFind(FindForm& /*form*/) { return false; }
    // The "NTS Message" window for a new radiogram; true when sent.
    virtual bool EditRadiogram(RadiogramForm& /*form*/) { return false; }
    // A stored radiogram in the same window, titled "FROM->TO:NUMBER".
    virtual void ShowRadiogram(const Radiogram& /*radiogram*/) {}
    // The object dialog; true when the operator pressed OK.
    // It refuses OK until the form reads (ObjectForm::Entry).
    virtual bool EditObject(ObjectForm& /*form*/) { return false; }
    // A yes/no question (Set My Position Here); true for yes.
    virtual bool Confirm(const std::string& /*question*/) { return false; }
};

}  // namespace velmora
