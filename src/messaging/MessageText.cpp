#include "messaging/MessageText.h"

#include <cctype>
#include <cstdio>

namespace velmora {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// A reply-ack number "MM}AA": the message's own number before the brace,
// the acknowledged one after it.
void SplitReplyAck(ParsedMessage& m) {
    const size_t brace = m.number.find('}');
    if (brace == std::string::npos) return;
    m.replyAck = m.number.substr(brace + 1);
    m.number.resize(brace);
}

}  // namespace

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }
bool IsBulletinAddressee(std::string_view to) { return to.size() >= 4 && StartsWith(to, "BLN") && IsDigit(to[3]); }
bool IsAnnouncementAddressee(std::string_view to) {
    return to.size() >= 4 && StartsWith(to, "BLN") && IsLetter(to[3]);
}

ParsedMessage ParseMessageField(std::string_view field) {
    ParsedMessage m;
    for (size_t i = 0; i < field.size() && i < 9; ++i) {
        const char c = field[i];
        if (c == ':' || c == '*' || c == ' ') break;
        m.addressee.push_back(c);
    }
    std::string_view text = field.size() > 10 ? field.substr(10) : std::string_view{};
    if (field.size() >= 138 && text.size() > 127) text = text.substr(0, 127);
    // UTF-8 text ("Grüße") stays as it came; control bytes are dropped.
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 32 && b != 0x7F) m.text.push_back(c);
    }
    m.head = Upper(std::string_view(m.text).substr(0, 16));
    if (StartsWith(m.head, "REJ")) {
        m.reject = true;
        return m;
    }
    // The last "{" after the first character starts the number.
    const size_t brace = m.text.size() > 1 ? m.text.rfind('{') : std::string::npos;
    if (brace != std::string::npos && brace > 0) {
        m.number = m.text.substr(brace + 1, 6);
        m.text.resize(brace);
        m.head = Upper(std::string_view(m.text).substr(0, 16));
        SplitReplyAck(m);
    } else if (StartsWith(m.head, "ACK")) {
        m.ack = true;
        // "ackMM}AA" from a reply-ack station acknowledges MM.
        m.number = std::string(std::string_view(m.text).substr(3, 6));
        const size_t end = m.number.find_first_of("} ");
        if (end != std::string::npos) m.number.resize(end);
    }
    return m;
}

std::string MessageLine(std::string_view addressee, std::string_view text, std::string_view number) {
    char to[16];
    std::snprintf(to, sizeof to, "%-9.9s", std::string(addressee).c_str());
    std::string line = ":" + std::string(to) + ":" + std::string(text);
    if (!number.empty()) line += "{" + std::string(number);
    return line + "\r";
}

}  // namespace velmora
