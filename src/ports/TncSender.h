#pragma once
// Texts for the TNC ports, each with the pause that must follow it on the
// wire (in ticks of 1/60 s). Each port has its own queue: a text goes out
// as soon as the pause before it has passed, and the program keeps running
// meanwhile. Order on one port is kept.
#include <array>
#include <deque>
#include <functional>
#include <string>

#include "platform/UserInterface.h"
#include "ports/PortManager.h"

namespace velmora {

class TncSender {
public:
    // The timer identifiers of the ports' pauses: kWakeBase + port.
    static constexpr int kWakeBase = 100;

    TncSender(PortManager& ports, EventLoop& ui) : ports_(ports), ui_(ui) {}

    // Queues bytes for a port, then a pause; bytes may be empty (a pause only).
    void Send(int port, std::string bytes, int pauseTicks);
    // Runs an action once everything queued before it has gone out (closing
    // the port after its close-down commands, say).
    void Then(int port, std::function<void()> action);
    // A pause of this port has passed.
    void Wake(int port);
    bool Idle(int port) const;
    bool AllIdle() const;
    void Clear(int port);

    // Port 9 is the internet links: its texts go to them.
    std::function<void(std::string_view bytes)> toLinks;
    // Called as each text is written (for the terminal window).
    std::function<void(int port, std::string_view bytes)> onWritten;

    static int TicksToMs(int ticks) { return (ticks * 1000 + 59) / 60; }

private:
    struct Item {
        std::string bytes;
        int pauseTicks;
        std::function<void()> then;
    };
    void Drain(int port);

    PortManager& ports_;
    EventLoop& ui_;
    std::array<std::deque<Item>, kPortCount> queues_;
    std::array<bool, kPortCount> pausing_{};
};

}  // namespace velmora
