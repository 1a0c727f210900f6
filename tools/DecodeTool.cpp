#include "DecodeTool.h"

#include <cstdlib>
#include <cstring>

#include "geo/Position.h"
#include "stations/StationRows.h"

namespace velmora {

std::optional<std::string> ParseDecodeToolArgs(int argc, char** argv, DecodeToolOptions& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) return nullptr;
            (void)name;
            return argv[++i];
        };
        if (a == "--each") {
            o.each = true;
        } else if (a == "--live") {
            o.live = Liveness::kLive;
        } else if (a == "--call" || a == "--kind" || a == "--home" || a == "--capacity" || a == "--telemetry" ||
                   a == "--track" || a == "--history") {
            const char* v = value(argv[i]);
            if (!v) return "missing value after " + std::string(a);
            if (a == "--call") {
                o.call = v;
            } else if (a == "--telemetry") {
                o.telemetryCall = v;
            } else if (a == "--track") {
                o.trackCall = v;
            } else if (a == "--history") {
                o.historyCall = v;
            } else if (a == "--kind") {
                if (std::strlen(v) != 1) return "--kind takes one character";
                o.kind = SourceKindFromChar(v[0]);
            } else if (a == "--capacity") {
                char* end = nullptr;
                const long n = std::strtol(v, &end, 10);
                if (*end || n < 1 || n > StationTable::kMaximumCapacity)
                    return "--capacity takes a number from 1 to 65535";
                o.capacity = static_cast<int32_t>(n);
            } else {
                double lat, lon;
                char extra;
                if (std::sscanf(v, "%lf,%lf%c", &lat, &lon, &extra) != 2 || lat < -90 || lat > 90 ||
                    lon < -180 || lon > 180)
                    return "--home takes LAT,LON in decimal degrees";
                o.home = std::make_pair(lat, lon);
            }
        } else if (a == "--help" || a == "-h") {
            return "usage: velmora-decode [--call CALL] [--home LAT,LON] [--kind K] [--live] "
                   "[--capacity N] [--each] [--telemetry CALL] [--track CALL] [--history CALL] [FILE...]";
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return "unknown option " + std::string(a);
        } else {
            o.files.emplace_back(a);
        }
    }
    return std::nullopt;
}

DecodeTool::DecodeTool(App& app, const DecodeToolOptions& options, std::FILE* out)
    : app_(app), options_(options), out_(out) {}

void DecodeTool::Begin() {
    std::fprintf(out_, "%s%s\n", options_.each ? "line\t" : "", StationRowHeader().c_str());
}

void DecodeTool::Line(std::string_view line) {
    ++summary_.read;
    app_.ProcessReceivedLine(std::string(line), options_.live, options_.kind);
    const StationIndex changed = app_.Counters().lastStation;
    if (changed >= 0) {
        ++summary_.decoded;
    } else {
        ++summary_.rejected;
    }
    if (!options_.each) return;
    if (changed >= 0) {
        std::fprintf(out_, "%llu\t%s\n", static_cast<unsigned long long>(summary_.read),
                     StationRow(app_.Stations().At(changed)).c_str());
    } else {
        std::fprintf(out_, "%llu\n", static_cast<unsigned long long>(summary_.read));
    }
}

void DecodeTool::End() {
    const StationTable& table = app_.Stations();
    if (!options_.each) {
        for (StationIndex i = 0; i < table.UsedCount(); ++i)
            std::fprintf(out_, "%s\n", StationRow(table.At(i)).c_str());
    }
    auto station = [&](const std::string& call) -> const StationRecord* {
        const StationIndex i = table.Lookup(call);
        if (i < 0) std::fprintf(out_, "no station %s\n", call.c_str());
        return i < 0 ? nullptr : &table.At(i);
    };
    if (!options_.telemetryCall.empty()) {
        if (const StationRecord* s = station(options_.telemetryCall)) std::fputs(TelemetryRows(*s).c_str(), out_);
    }
    if (!options_.trackCall.empty()) {
        if (const StationRecord* s = station(options_.trackCall)) std::fputs(TrackRows(*s).c_str(), out_);
    }
    if (!options_.historyCall.empty()) {
        const StationIndex i = table.Lookup(options_.historyCall);
        if (i < 0) {
            std::fprintf(out_, "no station %s\n", options_.historyCall.c_str());
            return;
        }
        for (std::string_view line : app_.History().LinesOf(i))
            std::fprintf(out_, "%s\n", EscapeField(line).c_str());
    }
}

int RunDecodeTool(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err) {
    DecodeToolOptions options;
    if (auto error = ParseDecodeToolArgs(argc, argv, options)) {
        std::fprintf(err, "velmora-decode: %s\n", error->c_str());
        return 2;
    }
    SystemClock clock;
    SilentNotices notices;
    DiskFiles files(".");
    AppOptions appOptions;
    appOptions.stationCapacity = options.capacity;
    App app(Platform{clock, notices, files}, appOptions);
    app.SetOwnCall(options.call);
    if (options.home) app.SetHome(options.home->first, options.home->second);

    DecodeTool tool(app, options, out);
    tool.Begin();
    auto feed = [&tool](std::string_view line) { tool.Line(line); };
    int status = 0;
    if (options.files.empty()) options.files.emplace_back("-");
    for (const std::string& name : options.files) {
        if (name == "-") {
            ForEachLine(in, feed);
            continue;
        }
        std::FILE* f = std::fopen(name.c_str(), "rb");
        if (!f) {
            std::fprintf(err, "velmora-decode: cannot open %s\n", name.c_str());
            status = 1;
            continue;
        }
        ForEachLine(f, feed);
        std::fclose(f);
    }
    tool.End();
    const DecodeSummary& s = tool.Summary();
    std::fprintf(err, "lines read %llu, decoded %llu, rejected %llu\n",
                 static_cast<unsigned long long>(s.read), static_cast<unsigned long long>(s.decoded),
                 static_cast<unsigned long long>(s.rejected));
    return status;
}

}  // namespace velmora
