#pragma once
// The GPS as a module: fixes from the GPS port (or a TNC's cable) or from
// gpsd, the receiver initialisation, the minute's no-data count and its
// alarm, and the "NMEA Heads Up Display" ("GPSH", `gps` on the console).
#include <memory>
#include <string>

#include "app/Module.h"
#include "gps/GpsdClient.h"
#include "lists/ListModel.h"

namespace velmora {

class PortsModule;

constexpr uint16_t kCmdGpsDisplay = 8314;

// The heads-up display's lines as a two-column list.
class GpsDisplayModel final : public ListModel {
public:
    explicit GpsDisplayModel(const App& app) : app_(app) {}
    FourCC Code() const override { return MakeFourCC("GPSH"); }
    std::string_view Title() const override { return "NMEA Heads Up Display"; }
    const std::vector<ListColumn>& Columns() const override;
    size_t RowCount() const override { return rows_.size(); }
    ListCell Cell(size_t row, size_t column) const override;
    void Refresh() override;
    std::string Summary() const override { return app_.Gps().InputText(); }
    bool gpsdRunning = false;

private:
    const App& app_;
    std::vector<std::pair<std::string, std::string>> rows_;
};

class GpsModule final : public Module {
public:
    GpsModule(ModuleServices services, Network* network, PortsModule& ports, class ListWindows* lists);

    void Startup() override;
    bool Command(uint16_t id) override;
    void MinuteChanged(const LocalDateTime& now) override;
    void Stop() override { gpsd_.Stop(); }
    void Poll() { gpsd_.Poll(); }

    // The settings dialogs (GPS Settings), once the program has them.
    void SetDialogs(class SettingsDialogs* dialogs) { dialogs_ = dialogs; }
    // A line from the GPS port or a TNC's cable.
    void PortLine(std::string_view line);
    // gpsd is connected (a GPS for the report schedule).
    bool GpsdConnected() const { return gpsd_.Connected(); }
    ListModel& Display() { return display_; }
    // What `gps` prints: the fix, its source and its age.
    std::string ConsoleText() const;

private:
    void Initialise();
    void EditSettings();
    class SettingsDialogs* dialogs_ = nullptr;

    ModuleServices s_;
    PortsModule& ports_;
    class ListWindows* lists_;
    GpsdClient gpsd_;
    GpsDisplayModel display_;
    TimeStamp lastInit_ = 0;
    bool initialised_ = false;
};

}  // namespace velmora
