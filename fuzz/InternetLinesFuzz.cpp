// Feeds arbitrary bytes to an internet server link, as a hostile or broken
// APRS-IS server would, and checks what may come out of it: every line the
// decoder gets is one line of at most 512 bytes with no CR, LF or NUL; and
// whatever the program would gate to radio came from a line that was not
// cut (its text is the whole of the line's end), with no line end inside.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzApp.h"
#include "platform/fake/FakeNetwork.h"
#include "ports/InternetLinks.h"

using namespace velmora;

namespace {

// The reason is for the reader of a crash's stack.
[[noreturn]] void Fail(const char* /*why*/) { __builtin_trap(); }

bool HoldsLineEnd(std::string_view s) { return s.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos; }

// Checks what the decoder would hand to radio against the line being read.
struct GateChecks final : DecodeSeams {
    explicit GateChecks(App& app) : app_(app) {}
    void QueueForRadio(std::string_view text, Route) override {
        if (!app_.MayGateCurrentLine()) return;
        std::string_view body = text;
        if (!body.empty() && body.back() == '\r') body.remove_suffix(1);
        if (HoldsLineEnd(body)) Fail("a relay with a line end inside");
        const size_t colon = body.find(":");
        if (colon == std::string_view::npos || !current.ends_with(body.substr(colon + 1))) Fail("relayed a cut line");
    }
    void ReceiveMessage(std::string_view, std::string_view, std::string_view text, Liveness, SourceKind) override {
        if (!app_.MayGateCurrentLine()) return;
        if (HoldsLineEnd(text)) Fail("a message with a line end inside");
        if (!current.ends_with(text)) Fail("a cut message could be gated");
    }
    App& app_;
    std::string current;
};

struct Harness : FuzzApp {
    Harness() : links(&network, clock), checks(app) {
        app.DecodeOptions().gateInternetToRadio = true;
        app.Flags().AddLine("W1AW\tIGATE");
        app.UseSeams(checks);
        HostLists hosts;
        hosts.entries.push_back(HostEntry{"127.0.0.1", "14580", "fuzz", 14580, 0});
        links.SetHosts(hosts);
        links.onLine = [this](std::string_view line, bool verified) {
            if (line.size() > ServerLines::kLineLimit || HoldsLineEnd(line)) Fail("a line over the limit or split");
            // The decoder drops trailing blanks first; what it reads ends there.
            checks.current = std::string(line);
            while (!checks.current.empty() && static_cast<unsigned char>(checks.current.back()) <= 32)
                checks.current.pop_back();
            app.ProcessReceivedLine(std::string(line), Liveness::kLive, SourceKind::kInternet,
                                    verified ? Gating::kAllowed : Gating::kNever);
        };
        links.onStationLine = [this](std::string_view line) {
            if (HoldsLineEnd(line)) Fail("a station line split");
            (void)app.ReadStationExchange(line);
        };
        Connect();
    }
    void Connect() {
        links.Toggle(0);
        network.opened.back()->Establish();
        network.opened.back()->Deliver("# logresp N0CALL verified, server FUZZ\r\n");
    }
    FakeNetwork network;
    InternetLinks links;
    GateChecks checks;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Harness h;
    if (size == 0) return 0;
    // Split the input at each 0xFF byte into separate reads, as the network
    // hands them over.
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty()) {
        const size_t cut = rest.find('\xFF');
        const std::string_view read = rest.substr(0, cut);
        if (!h.links.Links()[0].connected) h.Connect();
        h.network.opened.back()->Deliver(read);
        if (cut == std::string_view::npos) break;
        rest.remove_prefix(cut + 1);
    }
    if (h.app.Stations().Full()) h.app.ClearStations();
    return 0;
}
