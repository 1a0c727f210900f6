#pragma once
// An App on the fake platform, with every hand-off recorded.
#include <filesystem>
#include <string>
#include <vector>

#include "app/App.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/RecordingNotices.h"

namespace velmora::test {

class RecordingSeams : public DecodeSeams {
public:
    struct Message {
        std::string source, header, text;
    };
    void RelayToServerClients(std::string_view raw) override { relayed.emplace_back(raw); }
    void QueueForRadio(std::string_view text, Route route) override {
        radio.emplace_back(text);
        radioPort = ToChar(route);
    }
    void ReceiveMessage(std::string_view source, std::string_view header, std::string_view text,
                        Liveness, SourceKind) override {
        messages.push_back({std::string(source), std::string(header), std::string(text)});
    }
    void SendToInternet(std::string_view text) override { internet.emplace_back(text); }
    void SendIgateReport(SourceKind port) override { igateReports.push_back(ToChar(port)); }
    void ShowFootprint(double lat, double lon, double radius) override { footprints.push_back({lat, lon, radius}); }
    void ResendPendingMessages(StationIndex index) override { resends.push_back(index); }

    std::vector<std::string> relayed, radio, internet;
    char radioPort = 0;
    std::vector<Message> messages;
    std::vector<StationIndex> resends;
    std::vector<char> igateReports;
    struct Footprint {
        double lat, lon, radius;
    };
    std::vector<Footprint> footprints;
};

// A fresh data folder under the system's temporary folder.
inline std::filesystem::path MakeTempFolder() {
    char pattern[] = "/tmp/velmora-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? std::filesystem::path(made) : std::filesystem::temp_directory_path();
}

struct TestApp {
    explicit TestApp(AppOptions options = {})
        : folder(MakeTempFolder()), files(folder.string()),
          app(Platform{clock, notices, files}, options) {
        app.UseSeams(seams);
    }
    ~TestApp() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    // The source kind as the one character that logs and menus carry.
    void Live(const std::string& line, char kind = '2') {
        app.ProcessReceivedLine(line, Liveness::kLive, SourceKindFromChar(kind));
    }
    void Replay(const std::string& line, char kind = '0') {
        app.ProcessReceivedLine(line, Liveness::kReplay, SourceKindFromChar(kind));
    }
    // Every history record, in buffer order.
    std::vector<HistoryRecord> History() const {
        std::vector<HistoryRecord> out;
        app.History().ForEach([&](const HistoryRecord& r) { out.push_back(r); });
        return out;
    }
    StationIndex Find(std::string_view call) const { return app.Stations().Lookup(call); }
    const StationRecord& Station(std::string_view call) const {
        return app.Stations().At(app.Stations().Lookup(call));
    }

    FakeClock clock;
    RecordingNotices notices;
    std::filesystem::path folder;
    DiskFiles files;
    RecordingSeams seams;
    App app;
};

}  // namespace velmora::test
