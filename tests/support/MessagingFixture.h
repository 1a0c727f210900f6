#pragma once
// Messaging on a test App, with every line it sends and every hand-off
// recorded.
#include <string>
#include <vector>

#include "messaging/Messaging.h"
#include "support/TestApp.h"

namespace velmora::test {

class RecordingMessageLinks : public MessageLinks {
public:
    struct Sent {
        char port;
        std::string line, path;
    };
    void Transmit(char port, std::string_view line, std::string_view path) override {
        sent.push_back({port, std::string(line), std::string(path)});
    }
    void PositionDue(char port) override { positionDue.push_back(port); }
    void SendStatus(char port) override { status.push_back(port); }
    void SendObjects(char port) override { objects.push_back(port); }
    bool IgateEnabled() const override { return igate; }
    bool GateMessageToRf(std::string_view, std::string_view, std::string_view) override { return igate; }
    void SendIgateList(std::string_view to, char) override { igateLists.emplace_back(to); }
    void NtsTraffic(std::string_view, std::string_view, std::string_view text, std::string_view, bool) override {
        nts.emplace_back(text);
    }
    void NwsBulletin(std::string_view, std::string_view to, std::string_view, char, bool) override {
        nws.emplace_back(to);
    }
    bool NwsSendingEnabled() const override { return nwsSending; }
    void LogMessage(std::string_view line) override { log.emplace_back(line); }
    void ShowMessageList() override { ++listShown; }

    std::vector<std::string> Lines() const {
        std::vector<std::string> out;
        for (const Sent& s : sent) out.push_back(s.line);
        return out;
    }

    std::vector<Sent> sent;
    std::vector<char> positionDue, status, objects;
    std::vector<std::string> igateLists, nts, nws, log;
    bool igate = false, nwsSending = false;
    int listShown = 0;
};

struct MessagingFixture {
    explicit MessagingFixture(int32_t capacity = 256)
        : store(capacity), messaging(store, t.app.StationUpdates(), links) {
        MessagingSettings s;
        s.ownCall = "N0ME";
        messaging.Configure(s);
        t.app.SetOwnCall("N0ME");
        t.Live("N0ME>APRS:>own station");  // index 0, as the program feeds it
    }
    // A message field heard live on VHF (or replayed).
    void Hear(std::string_view from, std::string_view field, char port = '2', bool live = true) {
        t.app.RefreshClock();
        messaging.ReceiveMessage(from, "APRS,WIDE1-1", field, live ? Liveness::kLive : Liveness::kReplay, port);
    }
    // A station heard, so messages to it count as pending for it.
    StationIndex Station(const std::string& call) {
        t.Live(call + ">APRS:>here");
        return t.Find(call);
    }
    void Advance(int seconds) {
        t.clock.Advance(seconds);
        t.app.RefreshClock();
    }

    TestApp t;
    RecordingMessageLinks links;
    MessageStore store;
    Messaging messaging;
};

}  // namespace velmora::test
