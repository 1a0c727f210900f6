#pragma once
// The home weather station as a module: the weather port's input through
// the decoder of the chosen type, the polls, the rolling histories on the
// tick, the five-minute sample with its alarms and log record, the 24-hour
// chart kept in ":logs:WXHist.bin", the "Weather Display" ("WXMN", `weather`
// on the console), the weather chart ("WXCG") and the weather settings.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Module.h"
#include "app/Settings.h"
#include "lists/ListModel.h"
#include "platform/Surface.h"
#include "transmit/WeatherReport.h"
#include "weather/WeatherChart.h"
#include "weather/WeatherState.h"
#include "weather/WeatherStation.h"

namespace velmora {

class PortsModule;

constexpr uint16_t kCmdWeatherSettings = 3006;
constexpr uint16_t kCmdWeatherChart = 8239;
constexpr const char* kWeatherHistoryFile = ":logs:WXHist.bin";

// The record as the own weather report takes it.
OwnWeather OwnWeatherOf(const WeatherRecord& r);

// What the weather settings dialog edits.
struct WeatherDialogValues {
    WeatherSettings settings;
    WeatherState::Manual current;  // "Current Values  (or manual entry)"
    bool clearExtremes = false;     // "Clear WX Hi/Low" was pressed
};

// The windows a front end shows for the weather.
class WeatherWindows {
public:
    virtual ~WeatherWindows() = default;
    // Opens the chart window, or brings it to the front.
    virtual void ShowWeatherChart() = 0;
    // The chart's data changed: redraw it when it is open.
    virtual void WeatherChartChanged() = 0;
    virtual bool EditWeatherSettings(WeatherDialogValues& values) = 0;
};

// The display's lines as a one-column list.
class WeatherDisplayModel final : public ListModel {
public:
    explicit WeatherDisplayModel(const class WeatherModule& module) : module_(module) {}
    FourCC Code() const override { return MakeFourCC("WXMN"); }
    std::string_view Title() const override { return "Weather Display"; }
    const std::vector<ListColumn>& Columns() const override;
    size_t RowCount() const override { return rows_.size(); }
    ListCell Cell(size_t row, size_t column) const override;
    void Refresh() override;

private:
    const class WeatherModule& module_;
    std::vector<std::string> rows_;
};

class WeatherModule final : public Module {
public:
    WeatherModule(ModuleServices services, PortsModule& ports, class ListWindows* lists);
    void SetWindows(WeatherWindows* windows) { windows_ = windows; }

    void Startup() override;
    bool Command(uint16_t id) override;
    void DayChanged(const LocalDateTime& now) override;
    void HourChanged(const LocalDateTime& now) override;
    void MinuteChanged(const LocalDateTime& now) override;
    void Shutdown() override { SaveChart(); }

    // Input of the weather port (a line, or raw bytes for the binary types).
    void PortInput(std::string_view data);
    // The weather port was opened: the decoder starts over and the station is polled.
    void PortOpened();
    // Often: reads the weather file again when it changed (type 12).
    void Poll();

    // Whether the station is a source of reports now: the port open, the
    // values entered by hand, or the file being read.
    bool Source() const;
    // The own weather report for the transmitter; nothing when none can be
    // built or the data are too old to send.
    std::optional<std::string> Report() const;
    bool Fresh() const;

    // The display's lines, as the window shows them, or its compact form.
    std::vector<std::string> DisplayLines(bool compact = false) const;
    // The chart of the home station (empty call) or a received station's
    // day log; false (with the text to show) for a station without one.
    bool DrawChart(Surface& surface, const std::string& call, std::string& error) const;
    // "Z" then a letter in the chart window; the confirmation to show.
    std::string ZeroChart(char group);
    // The chart window shows this station's day log (empty: home).
    void ChartStation(const std::string& call) { chartStation_ = call; }
    const std::string& ChartStationCall() const { return chartStation_; }
    bool Metric() const;

    WeatherState& State() { return state_; }
    const WeatherState& State() const { return state_; }
    WeatherStation& Station() { return station_; }
    const WeatherChart& Chart() const { return chart_; }
    ListModel& Display() { return display_; }
    const WeatherSettings& Settings() const { return settings_; }
    // Applies settings as the dialog does (the console and the tests).
    void Apply(const WeatherSettings& settings);

    // The station selected on the front map ("" for none): the chart shows
    // its day log when it has one.
    std::function<std::string()> selectedStation = [] { return std::string(); };
    // Weather events to the program (the transmit schedule's flags).
    std::function<void(const WeatherRequests&)> requests = [](const WeatherRequests&) {};

private:
    void Edit();
    void TakeRequests();
    void Sample(const LocalDateTime& now);
    void SaveChart() const;
    void LoadChart();
    bool PortIsOpen() const;
    void Send(std::string_view text);

    ModuleServices s_;
    PortsModule& ports_;
    class ListWindows* lists_;
    WeatherWindows* windows_ = nullptr;
    WeatherSettings settings_;
    WeatherState state_;
    WeatherStation station_{state_};
    WeatherChart chart_;
    WeatherDisplayModel display_{*this};
    std::string chartStation_;
    int16_t pollCounter_ = 0;
    std::string fileText_;
    TimeStamp fileCheckedAt_ = 0;
    bool chartSampled_ = false;  // the chart changed since start: save it
};

}  // namespace velmora
