#include "app/Logs.h"

#include <filesystem>

namespace velmora {

const std::array<LogEntry, kLogKinds>& LogTable() {
    static constexpr std::array<LogEntry, kLogKinds> kSpecs = {{
        {LogKind::kStation, ":Logs:Station.log", false, 7100, "Station Logging"},
        {LogKind::kAprs, ":Logs:APRS%04d%02d%02d.log", true, 7101, "APRS Logging"},
        {LogKind::kNmea, ":Logs:NMEA%04d%02d%02d.log", true, 7102, "NMEA Logging"},
        {LogKind::kWeather, ":Logs:WXData.log", false, 7103, "Local Weather Logging"},
        {LogKind::kMessage, ":Logs:Message.log", false, 7104, "Message Logging"},
        {LogKind::kRdf, ":Logs:RDF%04d%02d%02d.log", true, 7105, "Local RDF Logging"},
        {LogKind::kStatistics, ":Logs:PacketStats.log", false, 0, nullptr},
    }};
    return kSpecs;
}

const LogEntry* LogForCommand(uint16_t command) {
    for (const LogEntry& s : LogTable()) {
        if (s.command != 0 && s.command == command) return &s;
    }
    return nullptr;
}

std::string LogSet::PathFor(LogKind kind) const {
    const LogEntry& entry = LogTable()[Slot(kind)];
    if (!entry.dated) return entry.fileName;
    const LocalDateTime t = clock_.Now();
    char name[64];
    std::snprintf(name, sizeof name, entry.fileName, t.year, t.month, t.day);
    return name;
}

bool LogSet::Open(LogKind kind) {
    if (IsOpen(kind)) return true;
    std::unique_ptr<FileWriter> f = files_.OpenAppend(files_.RealPath(PathFor(kind)));
    if (!f) {
        notices_.Beep();
        return false;
    }
    handles_[Slot(kind)] = std::move(f);
    if (kind == LogKind::kStation) {
        const LocalDateTime t = clock_.Now();
        char header[128];
        std::snprintf(header, sizeof header, "%02d/%02d/%04d\t%02d:%02d:%02d\tDorvale Version\t%d.%d.%d\t%s",
                      t.month, t.day, t.year, t.hour, t.minute, t.second, 2, 2, 8, kReleaseLabel);
        WriteLine(kind, header);
    }
    return true;
}

void LogSet::Close(LogKind kind) {
    handles_[Slot(kind)].reset();
}

void LogSet::CloseAll() {
    for (const LogEntry& s : LogTable()) Close(s.kind);
}

void LogSet::WriteLine(LogKind kind, std::string_view text) {
    FileWriter* f = handles_[Slot(kind)].get();
    if (!f) return;
    // One write call per line, so the line and its ending land together.
    std::string line;
    line.reserve(text.size() + 2);
    line.append(text).append("\r\n");
    Written(f->Write(line));
}

void LogSet::WriteRecord(LogKind kind, const void* bytes, size_t size) {
    FileWriter* f = handles_[Slot(kind)].get();
    if (!f) return;
    Written(f->Write(std::string_view(static_cast<const char*>(bytes), size)));
}

void LogSet::Written(bool ok) {
    if (ok) full_ = false;
    if (ok || full_) return;
    full_ = true;
    notices_.StatusText("The disk is full: log lines are being lost");
}

}  // namespace velmora
