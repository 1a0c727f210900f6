#include "app/CoreModules.h"

#include "geo/Position.h"
#include "geo/PositionInput.h"

#include <cstdio>

#include "app/Import.h"
#include "app/MenuTable.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "platform/SystemInfo.h"
#include "stations/StationUpdate.h"

namespace velmora {

void StationModule::FeedOwnPosition() {
    const OwnReportSettings own = OwnReportFrom(s_.prefs, s_.app.Own(), s_.info.machineCode);
    s_.app.SetOwnPositionLine(own.call + ">" + DestinationCall(own) + ":" + FixedPositionReport(own));
    const std::string line = s_.app.OwnPositionLine();
    if (!line.empty()) s_.app.ProcessReceivedLine(line, Liveness::kReplay, SourceKind::kOwn);
    else s_.platform.notices.StatusText("No own position yet: set it in Settings > Station Settings");
}

void StationModule::Startup() {
    ApplyPreferences(s_.app, s_.prefs);
    FeedOwnPosition();  // the own station is index 0 from the start
    if (s_.prefs.Number(pref::kMasterMode) == 3) (void)s_.prefs.SetNumber(pref::kMasterMode, 0);
    if (s_.prefs.Number(pref::kMasterMode) == 2)
        s_.ui.MessageBox("You have space mode enabled.\nPlease make sure this is what you want", "Velmora",
                         Buttons::kOk);
    s_.app.LoadStationFlags();
    s_.app.LoadDxPrefixes();
    const FileAccess& files = s_.platform.files;
    if (const auto bytes = files.ReadWhole(files.RealPath(kStatisticsFile), 1 << 20))
        (void)s_.app.LoadStatistics(*bytes);  // another file's bytes leave the counts at 0
}

bool StationModule::Command(uint16_t id) {
    if (id == kCmdClearStations) {
        s_.app.ClearStations();
        return true;
    }
    if (id != kCmdStationSettings) return false;
    if (dialogs_ && dialogs_->EditStationSettings(s_.prefs)) {
        s_.prefs.RecomputeOwnPosition();
        s_.prefs.RegenerateReportTexts(s_.app.Now().Now());
        if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
        ApplyPreferences(s_.app, s_.prefs);
        FeedOwnPosition();
    }
    return true;
}

bool StationModule::SetOwnPositionAt(int32_t lon, int32_t lat) {
    const double latDeg = LatDegreesFromUnits(lat), lonDeg = LonDegreesFromUnits(lon);
    const std::string question = "Set your station's position to " + ShowPosition(latDeg, lonDeg) +
                                 "? Your position reports will say you are there.";
    if (s_.ui.MessageBox(question, "Set My Position Here", Buttons::kOkCancel) != Answer::kOk) return false;
    s_.prefs.SetOwnLatitude(latDeg);
    s_.prefs.SetOwnLongitude(lonDeg);
    s_.prefs.RegenerateReportTexts(s_.app.Now().Now());
    if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
    ApplyPreferences(s_.app, s_.prefs);
    FeedOwnPosition();
    s_.platform.notices.StatusText("Own position set to " + ShowPosition(latDeg, lonDeg));
    return true;
}

void StationModule::HourChanged(const LocalDateTime& now) {
    s_.app.RefreshClock();
    ClearHourCounts(s_.app.Stations(), now.hour);
    s_.app.ClearStatisticsHour(now.hour);
    s_.app.MutableActivity().NewHour(now);
    SaveStatistics();
    // "Station Time Out (Hrs)": 0 keeps every station.
    const int hours = static_cast<int>(s_.prefs.Number(pref::kStationTimeOut));
    if (const int removed = s_.app.RemoveStationsNotHeardFor(hours); removed > 0)
        s_.platform.notices.StatusText(std::to_string(removed) + " stations not heard for " + std::to_string(hours) +
                                       " hours removed");
}

void StationModule::DayChanged(const LocalDateTime& now) { s_.app.MutableActivity().NewDay(now); }

void StationModule::MinuteChanged(const LocalDateTime& now) {
    if (now.minute % 5 == 0) s_.app.MutableActivity().NewFiveMinutes(now);
}

void StationModule::SaveStatistics() {
    const FileAccess& files = s_.platform.files;
    if (!files.WriteWhole(files.RealPath(kStatisticsFile), s_.app.StatisticsBytes()))
        s_.platform.notices.StatusText("Could not save " + std::string(kStatisticsFile));
}

void LogsModule::Started() {
    static constexpr std::pair<PrefKey, LogKind> kFlags[] = {
        {pref::kAutoLogStation, LogKind::kStation}, {pref::kAutoLogAprs, LogKind::kAprs},
        {pref::kAutoLogNmea, LogKind::kNmea},       {pref::kAutoLogWeather, LogKind::kWeather},
        {pref::kAutoLogMessage, LogKind::kMessage}, {pref::kAutoLogRdf, LogKind::kRdf},
        {pref::kAutoLogStatistics, LogKind::kStatistics},
    };
    for (const auto& [key, kind] : kFlags) {
        if (s_.prefs.Flag(key)) s_.app.Logs().Open(kind);
    }
    s_.ui.RefreshCheckMarks();
}

bool LogsModule::Command(uint16_t id) {
    if (id == kStopAllLogging) {
        s_.app.Logs().CloseAll();
        return true;
    }
    const LogEntry* log = LogForCommand(id);
    if (!log) return false;
    s_.app.Logs().Toggle(log->kind);
    return true;
}

bool LogsModule::IsChecked(uint16_t id) const {
    const LogEntry* log = LogForCommand(id);
    return log && s_.app.Logs().IsOpen(log->kind);
}

// The hour just ended: one count per statistics group (other, VHF,
// internet), every packet category together.
void LogsModule::HourChanged(const LocalDateTime& now) {
    LogSet& logs = s_.app.Logs();
    if (!logs.IsOpen(LogKind::kStatistics)) return;
    const int ended = (now.hour + 23) % 24;
    long counts[kStatGroups] = {};
    for (int g = 0; g < kStatGroups; ++g)
        for (int c = 0; c < kStatCategoryCount; ++c) counts[g] += s_.app.Statistics().Slot(g, c, ended);
    char line[96];
    std::snprintf(line, sizeof line, "%04d\t%02d\t%02d\t%02d\t%ld\t%ld\t%ld", now.year, now.month, now.day, ended,
                  counts[0], counts[1], counts[2]);
    logs.WriteLine(LogKind::kStatistics, line);
}

void LogsModule::Shutdown() { s_.app.Logs().CloseAll(); }

void MemoryModule::Sample() {
    const LocalDateTime now = s_.app.Now().Now();
    const SystemMemory m = ReadSystemMemory();
    MemorySample s;
    s.hour = static_cast<int16_t>(now.hour);
    s.minute = static_cast<int16_t>(now.minute);
    s.windows = s_.ui.OpenWindowCount();
    s.stations = s_.app.Stations().UsedCount();
    s.pointers = static_cast<long>(s_.app.History().Length());
    s.inUseKb = m.inUseKb;
    s.freeKb = m.freeKb;
    s.load = m.load;
    log_.Write(s);
    samples_.Add(s);
}

void MemoryModule::Started() {
    lastHour_ = s_.app.Now().Now().hour;
    Sample();  // the memory-usage record of the start
}

void MemoryModule::MinuteTimer() {
    const int hour = s_.app.Now().Now().hour;
    if (hour == lastHour_) return;
    lastHour_ = hour;
    Sample();
}

bool MemoryModule::Command(uint16_t id) {
    if (id != kCmdMemoryUsage) return false;
    if (log_.IsOpen()) log_.Close();
    else if (s_.ui.MessageBox("Do want to log to disk?", "Memory Usage", Buttons::kOkCancel) == Answer::kOk)
        log_.Open(s_.platform.files, s_.app.Now().Now());
    return true;
}

bool MemoryModule::IsChecked(uint16_t id) const { return id == kCmdMemoryUsage && log_.IsOpen(); }

void FilesModule::Startup() {
    s_.app.RefreshClock();
    if (s_.platform.files.Exists("Startup.log"))
        startupLines_ = ImportFile(s_.app, s_.platform.files.RealPath("Startup.log"), false).lines;
}

void FilesModule::OpenFile(const std::string& path) {
    if (path.empty() || openMap(path)) return;
    if (OpenKindFor(path) == OpenKind::kHistory) ImportHistoryFile(s_.app, path, true);
    else ImportFile(s_.app, path, true);
}

bool FilesModule::StartSimulation(const std::string& path) { return !path.empty() && simulation_.Start(s_.platform.files, path); }

bool FilesModule::Command(uint16_t id) {
    switch (id) {
        case kCmdOpen: OpenFile(s_.ui.ChooseFile("Open")); return true;
        case kCmdSimulate: StartSimulation(s_.ui.ChooseFile("Simulate...")); return true;
        case kCmdExit: exit(); return true;
        default: return false;
    }
}

void DesktopModule::Started() {
    // A station that starts a port or a network service by itself is at
    // work; the About box is for one that is not.
    const bool services = s_.prefs.Number(pref::kAutostartTcp) != 0 || s_.prefs.Number(pref::kEnableServer) != 0;
    if (!AutomaticInputsFrom(s_.prefs).Any() && !services) {
        // It says what to do next, and asks for nothing already set.
        std::string text = "Velmora 2.2.8\nAn APRS client for Linux.\n";
        const bool callSet = s_.app.Own().call.View() != "N0CALL" && !s_.app.Own().call.Empty();
        if (!callSet || !s_.app.Own().HasHome()) text += "Set your call and position in Settings > Station Settings.\n";
        text += "To hear stations, open a TNC (Settings > Open VHF TNC) or connect to an APRS server "
                "(TCP/IP Connections).";
        s_.ui.ShowAbout(text);
    }
    if (s_.ui.OpenWindowCount() == 0) {
        s_.ui.PostCommand(kCmdNewMapSquare);
        s_.ui.PostCommand(kCmdTile);
    }
}

bool DesktopModule::FrameCommand(uint16_t id) {
    switch (id) {
        case kCmdNewChild:
            if (!s_.ui.NewChildWindow())
                s_.ui.MessageBox("Failed in Creating MDI Child Window!", "Velmora", Buttons::kOk);
            return true;
        case kCmdTile: s_.ui.TileWindows(); return true;
        case kCmdCascade: s_.ui.CascadeWindows(); return true;
        case kCmdArrangeIcons: s_.ui.ArrangeIcons(); return true;
        default: return false;
    }
}

bool DesktopModule::Command(uint16_t id) {
    if (id == kCmdAbout) {
        s_.ui.ShowAbout("Velmora 2.2.8\nAn APRS client for Linux.");
        return true;
    }
    if (id == kCmdHelp) {
        s_.ui.ShowHelp();
        return true;
    }
    return false;
}

}  // namespace velmora
