#include "app/GpsModule.h"

#include <cstdio>

#include "app/ListsModule.h"
#include "app/MenuTable.h"
#include "app/SettingsDialogs.h"
#include "app/PortsModule.h"
#include "geo/Gridsquare.h"
#include "geo/Position.h"
#include "lists/ListCells.h"
#include "ports/PortRole.h"

namespace velmora {
namespace {

std::string Degrees(int32_t lon, int32_t lat) {
    char text[64];
    std::snprintf(text, sizeof text, "%.5f %.5f", LatDegreesFromUnits(lat), LonDegreesFromUnits(lon));
    return text;
}

}  // namespace

const std::vector<ListColumn>& GpsDisplayModel::Columns() const {
    static const std::vector<ListColumn> columns = {{"Item"}, {"Value"}};
    return columns;
}

ListCell GpsDisplayModel::Cell(size_t row, size_t column) const {
    if (row >= rows_.size()) return cells::None();
    return cells::Text(column == 0 ? rows_[row].first : rows_[row].second);
}

void GpsDisplayModel::Refresh() {
    const GpsState& g = app_.Gps();
    rows_.clear();
    rows_.emplace_back("Source", GpsSourceName(g.Source()));
    rows_.emplace_back("Status", std::to_string(g.StatusCode()));
    if (g.HasPosition()) {
        rows_.emplace_back("Position", Degrees(g.Lon(), g.Lat()));
        rows_.emplace_back("Grid", PositionToLocator(g.Lon(), g.Lat()));
    }
    rows_.emplace_back("Altitude", std::to_string(g.AltitudeFeet()) + " ft");
    rows_.emplace_back("Course", std::to_string(g.Course()));
    rows_.emplace_back("Speed", std::to_string(g.SpeedMph()) + " mph");
    rows_.emplace_back("Climb", std::to_string(g.ClimbFeetPerMinute()) + " ft/min");
    char good[32];
    std::snprintf(good, sizeof good, "Percent Good %ld%%", g.PercentGood());
    rows_.emplace_back("Sentences", good);
    rows_.emplace_back("Bad checksums", std::to_string(app_.GpsBadSentences()));
    rows_.emplace_back("Last sentence", std::string(g.Last().fields[0]));
    for (const std::string& l : WaypointLines(g.LastWaypoint(), g.Course(), g.SpeedMph(), app_.Now().Now()))
        rows_.emplace_back("Waypoint", l);
}

GpsModule::GpsModule(ModuleServices services, Network* network, PortsModule& ports, ListWindows* lists)
    : s_(services), ports_(ports), lists_(lists), gpsd_(network, s_.platform.clock, s_.platform.notices), display_(s_.app) {
    gpsd_.onFix = [this](const GpsFix& fix) {
        s_.app.RefreshClock();
        s_.app.TakeGpsFix(fix, true, Liveness::kLive, GpsSource::kGpsd);
        display_.Invalidate();
    };
}

void GpsModule::Startup() {
    if (s_.prefs.Number(pref::kGpsSource) != 1) return;
    const int64_t port = s_.prefs.Number(pref::kGpsdPort);
    std::string host = s_.prefs.Text(pref::kGpsdHost);
    if (host.empty()) host = "localhost";
    gpsd_.Start(host, static_cast<uint16_t>(port > 0 && port < 65536 ? port : 2947));
    display_.gpsdRunning = true;
}

bool GpsModule::Command(uint16_t id) {
    if (id == kCmdGpsSettings) {
        EditSettings();
        return true;
    }
    if (id != kCmdGpsDisplay) return false;
    if (lists_) lists_->ShowList(display_);
    return true;
}

// A new source takes over at once: gpsd is left or reached with the new address.
void GpsModule::EditSettings() {
    if (!dialogs_) return;
    GpsSettingsForm form = GpsSettingsForm::From(s_.prefs);
    if (!dialogs_->EditGpsSettings(form)) return;
    if (const std::string why = form.Problem(); !why.empty()) {
        s_.ui.MessageBox(why, "GPS Settings", Buttons::kOk);
        return;
    }
    form.Store(s_.prefs);
    if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
    gpsd_.Stop();
    display_.gpsdRunning = false;
    Startup();
    display_.Invalidate();
}

void GpsModule::MinuteChanged(const LocalDateTime&) {
    const bool expected = gpsd_.Running() || ports_.PortOpen(kPortGps);
    if (s_.app.Gps().MinutePassed() && expected)
        s_.platform.notices.PlayEventSound(6004, "GPS input NOT WORKING");
    display_.Invalidate();
}

void GpsModule::PortLine(std::string_view line) {
    // A receiver that names itself ASTRAL wants to be told where it is.
    if (line == "ASTRAL" || line == "\nASTRAL") {
        Initialise();
        return;
    }
    s_.app.TakeNmea(line, true, Liveness::kLive);
    display_.Invalidate();
}

void GpsModule::Initialise() {
    const TimeStamp now = s_.app.Now().NowStamp();
    if (initialised_ && now - lastInit_ < 100) return;
    initialised_ = true;
    lastInit_ = now;
    const int32_t offset = static_cast<int32_t>(s_.prefs.Number(pref::kUtcOffset)) * 3600;
    const LocalDateTime utc = FromTimeStamp(now - offset);
    for (const TimedText& t : AstralInitialisation(s_.prefs.OwnLonUnits(), s_.prefs.OwnLatUnits(), utc))
        ports_.Sender().Send(kPortGps, t.text, t.pauseTicks);
}

std::string GpsModule::ConsoleText() const {
    const GpsState& g = s_.app.Gps();
    std::string text = std::string("source ") + GpsSourceName(g.Source());
    if (gpsd_.Running()) text += std::string(" (gpsd at ") + gpsd_.Where() + (gpsd_.Connected() ? ", connected)" : ", not connected)");
    if (!g.HasPosition()) return text + "\nno fix";
    char line[200];
    std::snprintf(line, sizeof line, "\nfix %s  grid %s  altitude %d ft  course %d  speed %d mph  age %u s  %s",
                  Degrees(g.Lon(), g.Lat()).c_str(), PositionToLocator(g.Lon(), g.Lat()).c_str(), g.AltitudeFeet(),
                  g.Course(), g.SpeedMph(), static_cast<unsigned>(s_.app.Now().NowStamp() - g.LastFix()),
                  g.InputText().c_str());
    return text + line;
}

}  // namespace velmora
