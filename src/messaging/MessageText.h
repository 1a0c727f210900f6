#pragma once
// The parts of a received message field (the information field after its
// leading ":"): addressee, text, number, and what kind of text it is.
#include <string>
#include <string_view>

namespace velmora {

struct ParsedMessage {
    std::string addressee;  // at most 9 characters
    std::string text;       // at most 127 characters, printable; cut before the number
    std::string head;       // the first 16 characters of the text, upper-cased
    std::string number;     // at most 6 characters; empty: none
    // "{MM}AA": the sender also acknowledges our message AA (empty: none).
    std::string replyAck;
    bool ack = false;       // "ack" + number: an acknowledgement
    bool reject = false;    // "rej...": dropped
};

ParsedMessage ParseMessageField(std::string_view field);

// ":ADDRESSEE:text{number" with the addressee padded to 9, and a CR.
std::string MessageLine(std::string_view addressee, std::string_view text, std::string_view number);
// ":ADDRESSEE:ackNUMBER" and a CR.
inline std::string AckLine(std::string_view addressee, std::string_view number) {
    return MessageLine(addressee, "ack" + std::string(number), {});
}

// Addressee classes: "BLN" and a digit, "BLN" and a letter.
bool IsBulletinAddressee(std::string_view to);
bool IsAnnouncementAddressee(std::string_view to);
bool StartsWith(std::string_view s, std::string_view prefix);

}  // namespace velmora
