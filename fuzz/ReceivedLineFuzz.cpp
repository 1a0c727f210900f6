// Feeds arbitrary bytes to the received-line entry, as every port, link
// and replay file does. One App lives across inputs so that lookups,
// full tables and alarms are exercised too.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzApp.h"
#include "messaging/Messaging.h"

using namespace velmora;

namespace {

// Messaging's way out, going nowhere; the IGate says yes to everything so
// its counts are exercised.
struct NoLinks final : MessageLinks {
    void Transmit(char, std::string_view, std::string_view) override {}
    void PositionDue(char) override {}
    void SendStatus(char) override {}
    void SendObjects(char) override {}
    bool IgateEnabled() const override { return true; }
    bool GateMessageToRf(std::string_view, std::string_view, std::string_view) override { return true; }
    bool NwsSendingEnabled() const override { return true; }
};

// Messages reach the message store, as in the program.
struct MessageSeams final : DecodeSeams {
    explicit MessageSeams(Messaging& m) : m_(m) {}
    void ReceiveMessage(std::string_view source, std::string_view header, std::string_view text, Liveness live,
                        SourceKind kind) override {
        m_.ReceiveMessage(source, header, text, live, ToChar(kind) ? ToChar(kind) : '-');
    }
    void ResendPendingMessages(StationIndex s) override { m_.RetryOnHeard(s); }
    Messaging& m_;
};

struct Harness : FuzzApp {
    Harness() : messaging(app.Messages(), app.StationUpdates(), links), seams(messaging) {
        app.Flags().AddLine("W1AW\tALARM DANGER WARNING IGATE TRACK");
        app.StationOptions().dangerRadiusMiles = 50;
        app.StationOptions().positionEcho = true;
        app.DecodeOptions().gateInternetToRadio = true;
        app.SetOwnCall("N0ME");
        MessagingSettings m;
        m.ownCall = "N0ME";
        messaging.Configure(m);
        messaging.Answer() = {true, "away"};
        app.UseSeams(seams);
    }
    NoLinks links;
    Messaging messaging;
    MessageSeams seams;
    int minute = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Harness h;
    if (size == 0) return 0;
    // The first byte picks the source kind and whether the line is live.
    static const char kKinds[] = {'0', '1', '2', 'H', 'V', 'T', '3', '-'};
    const SourceKind kind = SourceKindFromChar(kKinds[data[0] & 7]);
    const Liveness live = (data[0] & 8) ? Liveness::kLive : Liveness::kReplay;
    std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
    // A few inputs also queue an own message to the sender, or run the
    // minute's retries, so outgoing entries meet the incoming flood.
    if ((data[0] & 0xF0) == 0x10 && line.size() > 12) h.messaging.SendMessage(line.substr(0, 6), line.substr(6, 40), '2', -1);
    if ((data[0] & 0xF0) == 0x20) h.messaging.RetryPass(h.minute = (h.minute + 1) % 60, 10);
    h.app.ProcessReceivedLine(std::move(line), live, kind);
    if (h.app.Stations().Full()) h.app.ClearStations();
    return 0;
}
