#pragma once
// The small modules of the application core: the station table and own
// station, the logs, the memory record, files and replay, and the frame's
// own commands.
#include <functional>
#include <string>

#include "app/MemoryLog.h"
#include "app/Module.h"
#include "app/SettingsDialogs.h"
#include "app/Simulation.h"

namespace velmora {

inline constexpr std::string_view kStatisticsFile = "PacketStats.bin";

// The own station and the table: preferences applied to the core, the own
// position fed as station 0, the reference files, Clear Stations and
// Station Settings, the hourly clears.
class StationModule final : public Module {
public:
    StationModule(ModuleServices services, SettingsDialogs* dialogs) : s_(services), dialogs_(dialogs) {}
    void Startup() override;
    bool Command(uint16_t id) override;
    void HourChanged(const LocalDateTime& now) override;
    void DayChanged(const LocalDateTime& now) override;
    void MinuteChanged(const LocalDateTime& now) override;
    // The packet statistics, kept in "PacketStats.bin".
    void Shutdown() override { SaveStatistics(); }
    void FeedOwnPosition();
    void SaveStatistics();
    // Set My Position Here: asked first, then saved and fed as station 0.
    bool SetOwnPositionAt(int32_t lon, int32_t lat);

private:
    ModuleServices s_;
    SettingsDialogs* dialogs_;
};

// The logs: the Logging menu, the automatic logs and the hourly statistics line.
class LogsModule final : public Module {
public:
    explicit LogsModule(ModuleServices services) : s_(services) {}
    void Started() override;
    bool Command(uint16_t id) override;
    bool IsChecked(uint16_t id) const override;
    void HourChanged(const LocalDateTime& now) override;
    void Shutdown() override;

private:
    ModuleServices s_;
};

// The memory record: a sample each 15 s, at start and hourly, and the
// Memory Usage log.
class MemoryModule final : public Module {
public:
    explicit MemoryModule(ModuleServices services) : s_(services) {}
    void Started() override;
    bool Command(uint16_t id) override;
    bool IsChecked(uint16_t id) const override;
    void Sample();
    // The minute timer: a sample when the hour has changed.
    void MinuteTimer();
    const MemorySamples& Samples() const { return samples_; }
    bool LogOpen() const { return log_.IsOpen(); }

private:
    ModuleServices s_;
    MemorySamples samples_;
    MemoryLog log_;
    int lastHour_ = -1;
};

// File Open, Simulate, Exit, "Startup.log" and the replay feeder.
class FilesModule final : public Module {
public:
    explicit FilesModule(ModuleServices services) : s_(services) {}
    void Startup() override;
    bool Command(uint16_t id) override;
    void Stop() override { simulation_.Stop(); }
    void OpenFile(const std::string& path);
    bool StartSimulation(const std::string& path);
    void FeedReplay(int maxLines) { simulation_.Feed(s_.app, maxLines); }
    const Simulation& Replay() const { return simulation_; }
    int64_t StartupLinesReplayed() const { return startupLines_; }

    std::function<void()> exit = [] {};  // File > Exit
    // File > Open of a map file goes to the maps; false when it is none.
    std::function<bool(const std::string&)> openMap = [](const std::string&) { return false; };

private:
    ModuleServices s_;
    Simulation simulation_;
    int64_t startupLines_ = 0;
};

// The frame's own commands: new child windows, tile, cascade, arrange,
// the first map window, and the About box.
class DesktopModule final : public Module {
public:
    explicit DesktopModule(ModuleServices services) : s_(services) {}
    void Started() override;
    bool Command(uint16_t id) override;
    bool FrameCommand(uint16_t id);

private:
    ModuleServices s_;
};

}  // namespace velmora
