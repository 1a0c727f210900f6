#include "app/TransmitModule.h"

#include "app/MenuTable.h"
#include "app/PortsModule.h"
#include "app/SettingsDialogs.h"
#include "ports/PortRole.h"
#include "transmit/OwnReports.h"
#include "transmit/ScheduleCounters.h"

namespace velmora {

TransmitModule::TransmitModule(ModuleServices services, PortsModule& ports, SettingsDialogs* dialogs)
    : s_(services), ports_(ports), dialogs_(dialogs) {}

void TransmitModule::Startup() { Reload(); }

void TransmitModule::Reload() {
    settings_ = TransmitSettingsFrom(s_.prefs);
    schedule_.SetRates(settings_.rates);
}

OwnReportSettings TransmitModule::Own() const { return OwnReportFrom(s_.prefs, s_.app.Own(), s_.info.machineCode); }

void TransmitModule::Transmit(char route, std::string_view text, int pauseTicks) {
    RouteSettings r;
    r.arrangement = settings_.arrangement;
    r.prefixHf = settings_.prefixHf;
    r.prefixVhf = settings_.prefixVhf;
    const OwnReportSettings own = Own();
    r.ownCall = own.call;
    r.destination = DestinationCall(own);
    RouteTransmit(route, text, pauseTicks, r, *this);
}

void TransmitModule::TransmitVia(char route, std::string_view text, std::string_view kissPath) {
    oneFramePath_ = kissPath;
    Transmit(route, text);
    oneFramePath_.clear();
}

bool TransmitModule::SendOwnPosition(char route) {
    const OwnReportSettings own = Own();
    std::string report;
    if (GpsConnected()) {
        OwnMotion fix;
        fix.lon = s_.app.GpsLon();
        fix.lat = s_.app.GpsLat();
        const StationTable& t = s_.app.Stations();
        if (t.ValidIndex(0)) fix.course = t.At(0).course, fix.speedMph = t.At(0).speedKnots / 0.8689779524944695;
        report = MovingPositionReport(own, fix, s_.app.Now().Now());
    } else if (own.lon != 0 || own.lat != 0) {
        report = FixedPositionReport(own);
    } else {
        // Saying nothing would look like a radio fault.
        s_.platform.notices.StatusText("No position sent: set the own position in Settings > Station Settings");
        return false;
    }
    const std::string space = own.spaceMode ? "]" + std::string(1, own.symbolCode) + "[" + own.comment + "\r" : "";
    switch (route) {
        case 'H': Transmit('H', report); break;
        case 'V': Transmit('V', own.spaceMode ? space : report); break;
        case 'T': Transmit('T', report); break;
        default:
            Transmit('H', report);
            Transmit('T', report);
            Transmit('V', own.spaceMode ? "]$[\r" : report);
            break;
    }
    for (int c = 0; c < kChannels; ++c)
        if (route == '-' || route == kChannelRoute[c]) schedule_.PositionSent(static_cast<Channel>(c));
    return true;
}

void TransmitModule::OfferPositionToTcpClients() {
    const OwnReportSettings own = Own();
    if (own.lon == 0 && own.lat == 0) return;
    offerClients(InternetForm(own, FixedPositionReport(own)));
}

void TransmitModule::TncStarted() {
    Reload();
    schedule_.Reset(s_.app.Now().Now().minute);
}

void TransmitModule::MinuteChanged(const LocalDateTime& now) {
    // Queries heard since the last minute (and weather alarms) ask for a
    // report out of turn on the channel they came in on.
    ScheduleCounters& asked = s_.app.Schedule();
    for (int c = 0; c < kChannels; ++c) {
        if (asked.positionNow[c]) schedule_.PositionNow(static_cast<Channel>(c));
        if (asked.weatherNow[c]) schedule_.WeatherNow(static_cast<Channel>(c));
        asked.positionNow[c] = asked.weatherNow[c] = false;
    }
    schedule_.Minute(now.minute, *this);
}

bool TransmitModule::Command(uint16_t id) {
    const OwnReportSettings own = Own();
    switch (id) {
        case kCmdSendPosition: SendOwnPosition('-'); return true;
        case kCmdTncSendPosition:
            for (char r : {'H', 'V', 'T'}) SendOwnPosition(r);
            return true;
        case kCmdTncSendObjects:
            SendObjects('H');
            SendObjects('V');
            return true;
        case kCmdTncSendGrid:
            if (own.lon == 0 && own.lat == 0) return true;
            Transmit('H', GridSquareReport(own));
            Transmit('V', GridSquareReport(own));
            return true;
        case kCmdSendQuery: case kCmdTncQueryAll: Transmit('-', QueryAll()); return true;
        case kCmdSendWxQuery: case kCmdTncQueryWeather: Transmit('-', QueryWeather()); return true;
        case kCmdTncQueryIGates: Transmit('-', QueryIGates()); return true;
        case kCmdReportRates:
            if (dialogs_ && dialogs_->EditReportRates(s_.prefs)) {
                if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
                Reload();  // the new rates count from the next minute
            }
            return true;
        case kCmdTncSettings: EditTncSettings(); return true;
        case kCmdSendRdfReport: {
            // Only with a direction finder on its port: the last bearing it gave.
            if (!ports_.Ports().IsOpen(kPortRdf)) {
                s_.platform.notices.StatusText("Send RDF Report: open the RDF port first");
                s_.platform.notices.Beep();
                return true;
            }
            const DfLine& df = s_.app.LastDfLine();
            const std::string report = RdfReport(Own(), s_.app.Now().Now(), df.bearing, df.quality);
            Transmit('V', report);
            Transmit('T', report);
            return true;
        }
        case kCmdSendWeather: {
            const std::optional<std::string> report = weatherSource() && weatherFresh() ? weatherReport() : std::nullopt;
            if (report) Transmit('-', *report);
            else s_.ui.MessageBox("Weather data is invalid or too old (check cables)", "Velmora", Buttons::kOk);
            return true;
        }
        default: return false;
    }
}

// A report is built whenever one is due; it goes out only while the data
// are fresh, so a station whose cable fell out stops reporting old weather.
void TransmitModule::SendWeather(char route) {
    const std::optional<std::string> report = weatherReport();
    if (report && weatherFresh()) Transmit(route, *report);
}

bool TransmitModule::TncOpen(int port) const { return ports_.PortOpen(port); }
bool TransmitModule::KissOn(int port) const { return ports_.Tnc().KissMode(port); }
void TransmitModule::SendText(int port, std::string_view text, int pauseTicks) {
    ports_.Tnc().SendTncText(port, text, pauseTicks);
}
void TransmitModule::SendKiss(int port, std::string_view text) {
    if (!oneFramePath_.empty()) (void)ports_.Tnc().KissSendVia(port, text, oneFramePath_);
    else (void)ports_.Tnc().KissSend(port, text);
}
void TransmitModule::RecordTransmitted(std::string_view line) { s_.app.RecordTransmitted(line); }

bool TransmitModule::ChannelOpen(Channel c) const {
    switch (c) {
        case kChannelHf: return ports_.PortOpen(kPortHfTnc);
        case kChannelVhf:
            // A dual-port TNC serves VHF on the HF TNC's cable.
            return ports_.PortOpen(kPortVhfTnc) || (settings_.arrangement == 2 && ports_.PortOpen(kPortHfTnc));
        default: return InternetOpen();
    }
}

bool TransmitModule::GpsConnected() const {
    const TncSettings t = TncSettingsFrom(s_.prefs);
    return otherGps() || ports_.PortOpen(kPortGps) || (ports_.PortOpen(kPortHfTnc) && t.For(kPortHfTnc).allowGps) ||
           (ports_.PortOpen(kPortVhfTnc) && t.For(kPortVhfTnc).allowGps);
}

void TransmitModule::SendAlternatePath(int n) {
    const size_t i = static_cast<size_t>(n);
    if (i >= 3) return;
    const std::pair<int, const std::string*> paths[] = {{kPortVhfTnc, &settings_.altPathsVhf[i]},
                                                         {kPortHfTnc, &settings_.altPathsHf[i]}};
    for (const auto& [port, path] : paths) {
        if (!ports_.PortOpen(port) || path->empty()) continue;
        const Route route = port == kPortVhfTnc ? Route::kVhf : Route::kHf;
        ports_.Tnc().SetUnprotoPath(route, *path);
        SendOwnPosition(port == kPortVhfTnc ? 'V' : 'H');
        ports_.Tnc().SetUnprotoPath(route, settings_.unprotoPath);
    }
}

void TransmitModule::SendStatus() { SendStatusOn('-'); }

void TransmitModule::SendStatusOn(char route) {
    std::string status = settings_.statusText;
    if (status.empty()) status = StatusReport(s_.app.Now().Now(), s_.prefs.Text(pref::kStatusText));
    if (status.size() >= 9) Transmit(route, status + "\r");
}

void TransmitModule::SendObjects(char route) {
    for (const std::string& report : ownObjects(route)) Transmit(route, report, 5);
}

void TransmitModule::EditTncSettings() {
    if (!dialogs_) return;
    TncSettingsForm form = TncSettingsForm::From(s_.prefs);
    if (!dialogs_->EditTncSettings(form)) return;
    form.Tidy();
    if (const std::string why = form.Problem(); !why.empty()) {
        s_.ui.MessageBox(why, "TNC Settings", Buttons::kOk);
        return;
    }
    form.Store(s_.prefs);
    if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
    // The arrangement, prefixes and paths hold from the next packet; the
    // command lines and GPS, HSP and Pico options when a TNC next starts.
    Reload();
    ports_.ApplyPortSettings();
}

}  // namespace velmora
