#include "app/SettingsForms.h"

#include "app/SettingsChecks.h"

namespace velmora {

MessageSettingsForm MessageSettingsForm::From(const Preferences& p) {
    MessageSettingsForm f;
    f.retries = static_cast<int>(p.Number(pref::kMsgRetries));
    f.notifyMail = p.Flag(pref::kNotifyNewMail);
    f.notifyBulletins = p.Flag(pref::kNotifyBulletins);
    f.notifyAnnouncements = p.Flag(pref::kNotifyAnnouncements);
    f.sound = p.Flag(pref::kSoundOn);
    f.roundTrip = p.Flag(pref::kMessageRoundTrip);
    f.nwsStation = p.Text(pref::kNearestNwsStation);
    return f;
}

void MessageSettingsForm::Store(Preferences& p) const {
    (void)p.SetNumber(pref::kMsgRetries, retries);
    (void)p.SetNumber(pref::kNotifyNewMail, notifyMail);
    (void)p.SetNumber(pref::kNotifyBulletins, notifyBulletins);
    (void)p.SetNumber(pref::kNotifyAnnouncements, notifyAnnouncements);
    (void)p.SetNumber(pref::kSoundOn, sound);
    (void)p.SetNumber(pref::kMessageRoundTrip, roundTrip);
    (void)p.SetText(pref::kNearestNwsStation, nwsStation);
}

std::string MessageSettingsForm::Problem() const {
    if (retries < 2 || retries > 24) return "Msg Retries must be between 2 and 24";
    if (!nwsStation.empty()) {
        if (std::string why = CallProblem(nwsStation); !why.empty()) return "Msg to NWS: " + why;
    }
    return {};
}

GpsSettingsForm GpsSettingsForm::From(const Preferences& p) {
    GpsSettingsForm f;
    f.source = p.Number(pref::kGpsSource) == 1 ? 1 : 0;
    f.host = p.Text(pref::kGpsdHost);
    if (f.host.empty()) f.host = "localhost";
    f.port = static_cast<int>(p.Number(pref::kGpsdPort));
    return f;
}

void GpsSettingsForm::Store(Preferences& p) const {
    (void)p.SetNumber(pref::kGpsSource, source);
    (void)p.SetText(pref::kGpsdHost, host);
    (void)p.SetNumber(pref::kGpsdPort, port);
}

std::string GpsSettingsForm::Problem() const {
    if (host.empty() || host.find_first_of(" \t\r\n") != std::string::npos)
        return "gpsd's host is a name or address without blanks, such as localhost";
    if (host.size() > 63) return "gpsd's host is longer than 63 characters";
    if (port < 1 || port > 65535) return "gpsd's port must be between 1 and 65535 (it is 2947 unless changed)";
    return {};
}

}  // namespace velmora
