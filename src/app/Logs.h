#pragma once
// The logs in the "Logs" folder. Every log is opened for appending and
// created when missing; a text log is written one whole line at a time with
// "\r\n" and flushed, so a crash loses at most the line being written. A
// dated log takes its name from the date it was opened.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Notices.h"

namespace velmora {

enum class LogKind : uint8_t { kStation, kAprs, kNmea, kWeather, kMessage, kRdf, kStatistics };
constexpr size_t kLogKinds = 7;

struct LogEntry {
    LogKind kind;
    const char* fileName;  // program path; dated names take year, month, day
    bool dated;
    uint16_t command;      // Logging menu command, 0 for none
    const char* menuText;
};

// The table of logs, in menu order.
const std::array<LogEntry, kLogKinds>& LogTable();
const LogEntry* LogForCommand(uint16_t command);
constexpr uint16_t kStopAllLogging = 7119;

// The release label in the station-log header.
constexpr const char* kReleaseLabel = "Linux";

class LogSet {
public:
    LogSet(const FileAccess& files, const Clock& clock, NoticeSink& notices)
        : files_(files), clock_(clock), notices_(notices) {}
    ~LogSet() { CloseAll(); }
    LogSet(const LogSet&) = delete;
    LogSet& operator=(const LogSet&) = delete;

    // Opens (a failure beeps and leaves the log closed); true when open.
    bool Open(LogKind kind);
    void Close(LogKind kind);
    void Toggle(LogKind kind) { IsOpen(kind) ? Close(kind) : void(Open(kind)); }
    void CloseAll();
    bool IsOpen(LogKind kind) const { return handles_[Slot(kind)] != nullptr; }

    // Appends text and "\r\n"; nothing when the log is closed. A line the
    // disk cannot take is not written at all, and the status line says so
    // once (until writing works again).
    void WriteLine(LogKind kind, std::string_view text);
    // Appends a binary record as it stands.
    void WriteRecord(LogKind kind, const void* bytes, size_t size);

    // The program path a log opened now would take.
    std::string PathFor(LogKind kind) const;

private:
    static size_t Slot(LogKind kind) { return static_cast<size_t>(kind); }
    void Written(bool ok);

    const FileAccess& files_;
    const Clock& clock_;
    NoticeSink& notices_;
    std::array<std::unique_ptr<FileWriter>, kLogKinds> handles_;
    bool full_ = false;  // said once until a write goes through again
};

}  // namespace velmora
