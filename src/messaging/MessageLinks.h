#pragma once
// What messaging asks of the rest of the program: the way out for its
// lines, the own reports a query asks for, and the hand-offs to the IGate,
// the NWS and NTS handlers, the message log and the message list.
#include <cstdint>
#include <string_view>

namespace velmora {

class MessageLinks {
public:
    virtual ~MessageLinks() = default;
    // A message line through the transmit router on this port code ('1'/'H',
    // '2'/'V', '3'/'T', '-'); kissPath, when not empty, is the digipeater
    // path of this one frame on a KISS TNC.
    virtual void Transmit(char port, std::string_view line, std::string_view kissPath) = 0;
    // The own position due on the port group of this port code.
    virtual void PositionDue(char port) = 0;
    virtual void SendStatus(char port) = 0;
    virtual void SendObjects(char port) = 0;

    // The IGate: whether it runs, and the offer of a message heard on the
    // internet for the radio (true when it was gated).
    virtual bool IgateEnabled() const { return false; }
    virtual bool GateMessageToRf(std::string_view /*from*/, std::string_view /*path*/, std::string_view /*field*/) {
        return false;
    }
    // The answer to an "?APRSL" query: the stations the IGate serves.
    virtual void SendIgateList(std::string_view /*to*/, char /*port*/) {}
    // Radiogram sections and weather bulletins, to their handlers.
    virtual void NtsTraffic(std::string_view /*from*/, std::string_view /*to*/, std::string_view /*text*/,
                            std::string_view /*number*/, bool /*live*/) {}
    virtual void NwsBulletin(std::string_view /*from*/, std::string_view /*to*/, std::string_view /*text*/,
                             char /*port*/, bool /*live*/) {}
    virtual bool NwsSendingEnabled() const { return false; }

    // A line for the message log, when it is open.
    virtual void LogMessage(std::string_view /*line*/) {}
    // Mail arrived: the message list comes up.
    virtual void ShowMessageList() {}
    virtual void MailArrived(std::string_view /*from*/, std::string_view /*text*/) { ShowMessageList(); }
    // An entry changed (or -1: the whole store).
    virtual void MessageChanged(int32_t /*entry*/) {}
};

}  // namespace velmora
