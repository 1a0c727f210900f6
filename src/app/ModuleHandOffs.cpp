#include "app/Program.h"

// The hand-offs between the modules: each module says what it needs as a
// callback or an interface, and the composition root connects them here.

namespace velmora {

void Program::ConnectModules(const ProgramOptions& options) {
    lists_.Adopt(messaging_.List());
    lists_.Adopt(gateway_.StatusList());
    gateway_.StatusModel().linkStates = [this] { return LinkStates(); };
    lists_.Adopt(gps_.Display());
    lists_.Adopt(weather_.Display());
    lists_.Adopt(maps_.OverlayList());
    lists_.Adopt(nws_.List());
    lists_.Adopt(refdata_.AirportList());
    lists_.Adopt(nts_.List());
    nts_.editRadiogram = [this](RadiogramForm& f) { return dialogs_ && dialogs_->EditRadiogram(f); };
    nts_.Radiograms().open = [this](const Radiogram& r) {
        if (dialogs_) dialogs_->ShowRadiogram(r);
    };
    messaging_.ntsSection = [this](std::string_view from, std::string_view to, std::string_view text,
                                   std::string_view number) { nts_.Section(from, to, text, number); };
    refdata_.askFind = [this](FindForm& f) { return dialogs_ && dialogs_->AskFind(f); };
    messaging_.nwsBulletin = [this](std::string_view from, std::string_view to, std::string_view text, char port,
                                    bool live) { nws_.Bulletin(from, to, text, port, live); };
    messaging_.nwsSending = [this] { return nws_.Alerts().Originator(); };
    nws_.askExpiry = [this](NwsExpiryForm& f) { return dialogs_ && dialogs_->AskNwsExpiry(f); };
    weather_.SetWindows(options.weather);
    dialogs_ = options.dialogs;
    messaging_.SetDialogs(options.dialogs);
    gps_.SetDialogs(options.dialogs);
    maps_.SetDialogs(options.dialogs);
    ports_.SetDialogs(options.dialogs);
    ports_.HandOffs().weatherInput = [this](std::string_view data) { weather_.PortInput(data); };
    ports_.weatherOpened = [this] { weather_.PortOpened(); };
    weather_.requests = [this](const WeatherRequests& r) {
        ScheduleCounters& due = app_.Schedule();
        if (r.weatherNowRadio) due.weatherNow[kGroupHf] = due.weatherNow[kGroupVhf] = true;
        if (r.positionNowInternet) due.positionNow[kGroupInternet] = true;
    };
    transmit_.weatherSource = [this] { return weather_.Source(); };
    transmit_.weatherReport = [this] { return weather_.Report(); };
    transmit_.weatherFresh = [this] { return weather_.Fresh(); };
    ports_.gpsLine = [this](std::string_view line) { gps_.PortLine(line); };
    transmit_.otherGps = [this] { return gps_.GpsdConnected(); };
    messaging_.igate = &gateway_.Gate();
    garmin_.SetWindows(options.garmin);
    internet_.settingsChanged = [this] {
        gateway_.Apply();
        gateway_.Started();  // listens when the server was just enabled
    };
    transmit_.offerClients = [this](std::string_view line) { gateway_.OfferToClients(line); };
    transmit_.tcpServerOn = [this] { return gateway_.Server().Listening(); };
    ports_.heardOnRadio = [this](std::string_view line) { gateway_.HeardOnRadio(line); };
    gateway_.terminal = [this](std::string_view text) {
        if (ports_.Roles().TerminalPort() == kPortVhfTnc) ui_.TerminalOutput(text, 2);
    };
    messaging_.soundSwitch = [this](bool on) { platform_.notices.EnableSound(on); };
    messaging_.selectedStation = [this] {
        const MapWindow* front = maps_.Front();
        return front ? maps_.SelectedCall(*front) : std::string();
    };
    weather_.selectedStation = [this] {
        const MapWindow* front = maps_.Front();
        return front ? maps_.SelectedCall(*front) : std::string();
    };
    ports_.dispatch = [this](uint16_t id) { return DispatchMenuCommand(id); };
    ports_.Ports().SetNetwork(options.network);
    files_.exit = [this] { CloseRequested(); };
    maps_.unitsChanged = [this](bool metric) { lists_.SetMetric(metric); };
    ports_.Tnc().queryAllRoutes = [this](std::string_view text) { transmit_.Transmit('-', text); };
    ports_.Tnc().started = [this](int) { transmit_.TncStarted(); };
    transmit_.internetOpen = [this] { return internet_.Open(); };
    transmit_.ownObjects = [this](char route) { return objects_.ReportsFor(route); };
    // The map's right-click menu reaches messaging, own objects and the own station.
    maps_.composeMessage = [this](const std::string& call) { messaging_.Compose(call, ""); };
    maps_.isOwnObject = [this](const std::string& name) { return objects_.IsOwn(name); };
    maps_.editObject = [this](const std::string& name, GeoPoint at) {
        if (name.empty()) (void)objects_.CreateAt(at.lon, at.lat);
        else (void)objects_.Edit(name);
    };
    maps_.moveObject = [this](const std::string& name, GeoPoint at) {
        services_.platform.notices.StatusText(objects_.Move(name, at.lon, at.lat).text);
    };
    maps_.killObject = [this](const std::string& name) {
        services_.platform.notices.StatusText(objects_.Kill(name).text);
    };
    maps_.setOwnPosition = [this](GeoPoint at) { (void)station_.SetOwnPositionAt(at.lon, at.lat); };
    transmit_.sendInternet = [this](std::string_view line) { internet_.SendPacket(line); };
    internet_.sendPosition = [this] { transmit_.SendOwnPosition('T'); };
    ports_.internetOpen = [this] { return internet_.Links().AnyWanted(); };
    ports_.textToLinks = [this](std::string_view text) { internet_.Send(text); };
    internet_.terminalOnLinks = [this] { return ports_.Roles().TerminalPort() == kPortTcpIp; };
    layout_.showWeatherChart = [this] { weather_.Command(kCmdWeatherChart); };
    layout_.showWeatherDisplay = [this] { weather_.Command(kCmdWeatherDisplay); };
    layout_.showGpsDisplay = [this] { gps_.Command(kCmdGpsDisplay); };
    files_.openMap = [this](const std::string& path) {
        if (layout_.IsConfigFile(path)) {
            layout_.LoadConfig(path);
            return true;
        }
        if (maps_.IsOverlayFile(path)) {
            maps_.LoadOverlay(path);
            return true;
        }
        if (!maps_.IsMapFile(path)) return false;
        maps_.OpenPath(path);
        return true;
    };
}

}  // namespace velmora
