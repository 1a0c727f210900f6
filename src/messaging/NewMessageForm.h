#pragma once
// The "New Message Dialog" as plain state: what its fields hold, which port
// boxes are ticked and enabled, its status line, when OK is allowed and what
// OK sends. The desktop's dialog and the console's "msg" both drive it.
#include <string>
#include <string_view>

#include "messaging/Messaging.h"

namespace velmora {

enum PortBox : int { kBoxHf = 0, kBoxVhf = 1, kBoxInternet = 2, kPortBoxes = 3 };

struct NewMessageContext {
    bool open[kPortBoxes] = {};  // the HF TNC, the VHF TNC, the internet link
    std::string nwsStation;      // "Nearest NWS Station"
    std::string nwsPrefix;       // the start of a report to it
};

class NewMessageForm {
public:
    static constexpr size_t kMaxText = 254;

    NewMessageForm(Messaging& messaging, NewMessageContext context) : m_(messaging), c_(std::move(context)) {}

    // Opening: the addressee of the selected station (or of a list key).
    void Open(std::string_view to, std::string_view text = {});
    void EditTo(std::string_view to);
    void EditText(std::string_view text);
    void Bulletin();
    void Announcement();
    void ToNws();
    void SetBox(PortBox box, bool ticked) { ticked_[box] = ticked && c_.open[box]; }

    const std::string& To() const { return to_; }
    const std::string& Text() const { return text_; }
    const std::string& Status() const { return status_; }
    std::string Number() const { return m_.Counter().Peek(); }
    bool Ticked(PortBox box) const { return ticked_[box]; }
    bool Enabled(PortBox box) const { return c_.open[box]; }
    // A control byte (a line end pasted in) would put a line of its own on
    // the air: OK waits until it is gone.
    bool OkEnabled() const {
        return to_.size() >= 2 && AddresseeProblem(to_).empty() && !text_.empty() && !HoldsControl(text_) &&
               !HoldsMarker(text_);
    }
    static bool HoldsControl(std::string_view text);
    // "{", "|" and "~" mean message numbers and telemetry to the receiver.
    static bool HoldsMarker(std::string_view text);
    // Why an addressee cannot be sent to (over 9 characters, an SSID
    // outside 0-15, a character no call has); empty when it can.
    static std::string AddresseeProblem(std::string_view to);
    // "23 of 67 characters", and the parts when it will be split.
    std::string LengthNote() const;
    // After OK: where the message went, or that it waits for a port.
    std::string SentNote() const;
    // The port code OK sends on: '-' with no box, else the last ticked of
    // "1" HF, "2" VHF, "T" internet.
    char Port() const;

    // OK: false (with a beep) when nothing could be sent.
    bool Accept();

private:
    bool SeveralPorts() const { return (c_.open[kBoxHf] && c_.open[kBoxVhf]) || c_.open[kBoxInternet]; }
    void PresetBoxes(StationIndex station);

    Messaging& m_;
    NewMessageContext c_;
    std::string to_, text_, status_;
    bool ticked_[kPortBoxes] = {};
};

}  // namespace velmora
