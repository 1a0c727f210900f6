#pragma once
// Feeding logged traffic back in: a log or text file decoded at once (File
// Open and "Startup.log"), and the ".HST" history form. Files are streamed
// a line at a time, so their size does not matter.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/App.h"

namespace velmora {

constexpr size_t kImportLineLimit = 254;

struct ImportCounts {
    bool opened = false;
    int64_t lines = 0;  // non-blank lines read
    int64_t fed = 0;    // lines handed on (packets, NMEA and bearing lines)
};

// The state one import carries from line to line.
struct ImportState {
    int dfCounter = 0;  // numbers the direction-finding log lines, from 1
    ImportCounts counts;
};

// One line of a log or text file, in any of its forms.
void ImportLine(App& app, ImportState& state, std::string_view line);
// One line of a history file.
void ImportHistoryLine(App& app, ImportState& state, std::string_view line);

// A whole file by its real path; a beep ends it when the operator asked for
// it from the menu. An unreadable file is skipped silently.
ImportCounts ImportFile(App& app, const std::string& path, bool fromMenu);
ImportCounts ImportHistoryFile(App& app, const std::string& path, bool fromMenu);

// What File Open does with a file of this name.
enum class OpenKind : uint8_t { kLog, kHistory };
OpenKind OpenKindFor(std::string_view path);

}  // namespace velmora
