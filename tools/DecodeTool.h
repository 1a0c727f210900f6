#pragma once
// velmora-decode: monitor lines in, the station table out as tab-separated
// values. Kept as a library so the tests drive it without a process.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/App.h"
#include "stations/StationRows.h"

namespace velmora {

struct DecodeToolOptions {
    std::string call = "N0CALL";
    std::optional<std::pair<double, double>> home;  // lat, lon
    SourceKind kind = SourceKind::kInternet;
    Liveness live = Liveness::kReplay;
    std::optional<int32_t> capacity;
    bool each = false;
    std::string telemetryCall;  // print this station's telemetry records at the end
    std::string trackCall;      // its track points
    std::string historyCall;    // its history lines
    std::vector<std::string> files;  // none: standard input
};

// Parses the command line; an error text when it is wrong.
std::optional<std::string> ParseDecodeToolArgs(int argc, char** argv, DecodeToolOptions& out);


struct DecodeSummary {
    uint64_t read = 0;
    uint64_t decoded = 0;
    uint64_t rejected = 0;
};

class DecodeTool {
public:
    DecodeTool(App& app, const DecodeToolOptions& options, std::FILE* out);
    void Begin();
    void Line(std::string_view line);
    void End();
    const DecodeSummary& Summary() const { return summary_; }

private:
    App& app_;
    const DecodeToolOptions& options_;
    std::FILE* out_;
    DecodeSummary summary_;
};

// The whole tool; returns the process exit code.
int RunDecodeTool(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace velmora
