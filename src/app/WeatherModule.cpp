#include "app/WeatherModule.h"

#include "app/ListsModule.h"
#include "app/MenuTable.h"
#include "app/PortsModule.h"
#include "app/Startup.h"
#include "lists/ListCells.h"
#include "ports/PortRole.h"
#include "transmit/OwnReports.h"
#include "weather/ChartDrawing.h"
#include "weather/WeatherDisplay.h"

namespace velmora {
namespace {

constexpr TimeStamp kFileCheckSeconds = 10;
constexpr size_t kMaxWeatherFile = 4096;

}  // namespace

OwnWeather OwnWeatherOf(const WeatherRecord& r) {
    OwnWeather w;
    w.temperatureTenthsF = r.temperature;
    w.windDirection = r.windDirection;
    w.windSpeedMph = r.windSpeedCopy;
    w.windGustMph = r.windGust;
    w.rainHour = r.rain1h;
    w.rain24h = r.rain24h;
    w.rainTotal = r.rainCounter;
    w.rainAtMidnight = r.rainMidnight;
    w.humidity = r.humidity;
    w.barometerTenthsMbar = r.pressure;
    return w;
}

const std::vector<ListColumn>& WeatherDisplayModel::Columns() const {
    static const std::vector<ListColumn> columns = {{"Weather"}};
    return columns;
}

ListCell WeatherDisplayModel::Cell(size_t row, size_t) const {
    return row < rows_.size() ? cells::Text(rows_[row]) : cells::None();
}

void WeatherDisplayModel::Refresh() { rows_ = module_.DisplayLines(); }

WeatherModule::WeatherModule(ModuleServices services, PortsModule& ports, ListWindows* lists)
    : s_(services), ports_(ports), lists_(lists) {}

void WeatherModule::Startup() {
    settings_ = WeatherSettingsFrom(s_.prefs);
    station_.Configure(settings_.station);
    state_.Reset();
    LoadChart();
}

bool WeatherModule::Command(uint16_t id) {
    switch (id) {
        case kCmdWeatherDisplay:
            if (lists_) lists_->ShowList(display_);
            return true;
        case kCmdWeatherChart: {
            // A received weather station picked on the map shows its day; else the home chart.
            const std::string call = selectedStation();
            const StationIndex index = call.empty() ? -1 : s_.app.Stations().Lookup(call);
            const bool logged = s_.app.Stations().ValidIndex(index) && !s_.app.Stations().At(index).weatherDay.empty();
            chartStation_ = logged && index != 0 ? call : std::string();
            if (windows_) windows_->ShowWeatherChart();
            return true;
        }
        case kCmdWeatherSettings: Edit(); return true;
        default: return false;
    }
}

void WeatherModule::Apply(const WeatherSettings& settings) {
    settings_ = settings;
    station_.Configure(settings_.station);
    display_.Invalidate();
}

void WeatherModule::Edit() {
    if (!windows_) return;
    const WeatherRecord& w = state_.Record();
    WeatherDialogValues values{settings_, {w.temperature / 10, w.windSpeedCopy, w.windDirection, w.rain1h, w.rain24h, w.pressure}, false};
    const bool accepted = windows_->EditWeatherSettings(values);
    if (values.clearExtremes) state_.ClearExtremes();
    if (!accepted) return;
    Apply(values.settings);
    StoreWeatherSettings(s_.prefs, settings_);
    if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
    ApplyPreferences(s_.app, s_.prefs);  // the alarm limits of received stations
    ports_.ApplyPortSettings();           // lines or raw bytes by the new type
    state_.ClearExtremes();
    if (settings_.station.type == kWeatherTypeManual) state_.EnterManually(values.current, s_.app.Now().NowStamp());
    TakeRequests();
    display_.Invalidate();
}

bool WeatherModule::PortIsOpen() const { return ports_.PortOpen(kPortWeather); }

void WeatherModule::Send(std::string_view text) {
    if (!text.empty() && PortIsOpen()) (void)ports_.Ports().WritePort(kPortWeather, text);
}

void WeatherModule::PortInput(std::string_view data) {
    station_.Input(data, s_.app.Now().NowStamp());
    TakeRequests();
}

void WeatherModule::PortOpened() {
    station_.Configure(settings_.station);
    pollCounter_ = 0;
    Send(station_.Poll());
}

void WeatherModule::Poll() {
    if (settings_.station.type != kWeatherTypeFile || settings_.wxNowFile.empty()) return;
    const TimeStamp now = s_.app.Now().NowStamp();
    if (fileCheckedAt_ != 0 && now - fileCheckedAt_ < kFileCheckSeconds) return;
    fileCheckedAt_ = now;
    const std::optional<std::string> text = s_.platform.files.ReadWhole(settings_.wxNowFile, kMaxWeatherFile);
    // An unchanged file is old weather: its time stays the time it changed.
    if (!text || *text == fileText_) return;
    fileText_ = *text;
    if (station_.FileText(fileText_, now)) TakeRequests();
}

void WeatherModule::TakeRequests() {
    const WeatherRequests r = state_.TakeRequests();
    if (r.displayChanged) display_.Invalidate();
    if (r.Any()) requests(r);
}

bool WeatherModule::Source() const {
    const int type = station_.Type();
    if (type == kWeatherTypeManual) return true;
    if (type == kWeatherTypeFile) return !settings_.wxNowFile.empty();
    return PortIsOpen();
}

bool WeatherModule::Fresh() const {
    if (!state_.HasData()) return false;
    const TimeStamp now = s_.app.Now().NowStamp();
    return WeatherFresh(static_cast<long>(now) - static_cast<long>(state_.LastData()));
}

std::optional<std::string> WeatherModule::Report() const {
    if (!Source()) return std::nullopt;
    const WeatherRecord& r = state_.Record();
    OwnWeather w = OwnWeatherOf(r);
    if (station_.Type() == kWeatherTypeFile) w.rainSinceMidnight = r.rainToday;
    const std::string time = MonthDayHourMinuteText(s_.app.Now().Now(), s_.prefs.UtcOffsetHours());
    return WeatherReport(station_.Type(), w, time);
}

// The first tick after start also counts as a new day; a counter not read
// yet is no baseline, so the day's rain stays unknown until a real midnight.
void WeatherModule::DayChanged(const LocalDateTime&) {
    if (state_.Record().initialised) state_.MarkMidnight();
}

void WeatherModule::HourChanged(const LocalDateTime&) {
    state_.ShiftHour();
    if (PortIsOpen()) SaveChart();
}

void WeatherModule::MinuteChanged(const LocalDateTime& now) {
    const int type = station_.Type();
    // The WeatherMAX answers one poll with one reading: ask every minute.
    if (type == kWeatherTypeWeatherMax) Send(station_.Poll());
    const bool sampling = PortIsOpen() || (type == kWeatherTypeFile && state_.HasData());
    if (now.minute % 5 == 0 && sampling) Sample(now);
    state_.ShiftMinute();
    // The Davis was polled when the port opened; from the next minute on, once a minute.
    if (PortIsOpen() && (type == kWeatherTypeDavis || type == kWeatherTypeDavisNoPressure)) {
        if (pollCounter_ != 0) Send(station_.Poll());
        ++pollCounter_;
        if (pollCounter_ < 0) pollCounter_ = 1;
    }
}

void WeatherModule::Sample(const LocalDateTime& now) {
    const WeatherRecord& w = state_.Record();
    LogSet& logs = s_.app.Logs();
    if (logs.IsOpen(LogKind::kWeather)) {
        const auto record = WeatherLogRecord(w, ToTimeStamp(now));
        logs.WriteRecord(LogKind::kWeather, record.data(), record.size());
    }
    const SampleAlarms alarms = chart_.Sample(w, now.hour, now.minute, settings_.station.limits);
    for (int event : alarms.events) {
        const std::string about = "at home: " + std::to_string(w.temperaturePrevious / 10) + " F, " +
                                  std::to_string(w.pressure / 10) + " mb";
        s_.platform.notices.PlayEventSound(event, about);
    }
    if (alarms.weatherNow) requests({true, false, false});
    state_.SampleTaken(settings_.station.type == kWeatherTypeFile);
    chartSampled_ = true;
    display_.Invalidate();
    if (windows_) windows_->WeatherChartChanged();
}

void WeatherModule::LoadChart() {
    const std::string path = s_.platform.files.RealPath(kWeatherHistoryFile);
    const std::optional<std::string> bytes = s_.platform.files.ReadWhole(path, WeatherChart::kFileBytes);
    if (!bytes) return;  // no history yet: the chart starts empty
    chart_.Load({reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()});
}

void WeatherModule::SaveChart() const {
    if (!chartSampled_) return;  // nothing new to keep
    const std::string path = s_.platform.files.RealPath(kWeatherHistoryFile);
    { (void)s_.platform.files.OpenAppend(path + ".new"); }  // makes the folder when missing
    const std::vector<uint8_t> bytes = chart_.Bytes();
    // A failed write is not reported: the chart is kept in memory and written again next hour.
    (void)s_.platform.files.WriteWhole(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

bool WeatherModule::Metric() const { return s_.prefs.Flag(pref::kMetricUnits); }

std::vector<std::string> WeatherModule::DisplayLines(bool compact) const {
    const LocalDateTime now = s_.app.Now().Now();
    const WeatherChart::Slot& slot = chart_.At(WeatherChart::SlotOf(now.hour, now.minute));
    const WeatherDisplayInput in{state_.Record(), state_.LastData(), slot[kChartTemperatureYesterday],
                                 slot[kChartPressureYesterday], WeatherStationTypeOf(station_.Type()).shortName,
                                 Metric()};
    return compact ? CompactWeatherLines(in) : WeatherDisplayLines(in);
}

bool WeatherModule::DrawChart(Surface& surface, const std::string& call, std::string& error) const {
    const LocalDateTime now = s_.app.Now().Now();
    const size_t slot = WeatherChart::SlotOf(now.hour, now.minute);
    ChartSeries series;
    if (call.empty()) {
        series = SeriesFromChart(chart_, state_.Record(), slot, Metric());
    } else {
        const StationIndex index = s_.app.Stations().Lookup(call);
        if (!s_.app.Stations().ValidIndex(index) || !SeriesFromStation(s_.app.Stations().At(index), slot, series)) {
            error = "This station does not have any weather data saved";
            return false;
        }
    }
    DrawWeatherChart(surface, series, Metric());
    return true;
}

std::string WeatherModule::ZeroChart(char group) {
    const std::string message = chart_.Zero(group);
    if (!message.empty()) {
        chartSampled_ = true;
        if (windows_) windows_->WeatherChartChanged();
    }
    return message;
}

}  // namespace velmora
