#pragma once
// Bytes from outside cut into lines. Lines end at CR or LF, looked at on the
// raw bytes before anything else, so a UTF-8 letter such as "č" (C4 8D) can
// never end a line the way a 7-bit mask would make it. Bytes from 0x80 up
// are kept as they came; other control bytes are dropped (see
// PacketControlByte). A line longer than the limit is dropped whole, never
// cut: the tail of a cut line would read as a packet of its own, and the
// head as a shorter packet than was sent.
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// Whether a byte of a received line is a control byte to drop. NUL to ESC
// always are. 0x1C-0x1F and DEL are data in a Mic-E information field (the
// longitude and the speed are sent as byte + 28), so they stay in a line;
// PacketText below removes them from any other packet.
constexpr bool LineControlByte(unsigned char c) { return c < 0x1C && c != '\t'; }

// A packet line with its control bytes taken out: every byte below 0x20
// and DEL, except 0x1C-0x1F and DEL inside a Mic-E information field
// ("`", "'", or the old 0x1C/0x1D forms), where they carry the position.
std::string PacketText(std::string_view line);
// Whether a line holds a byte that PacketText would take out.
bool HoldsControlBytes(std::string_view line);
// Text as UTF-8: as it is when it is valid UTF-8, else read as Latin-1
// (older stations send "°" as the single byte B0).
std::string TextAsUtf8(std::string_view text);
// Text for the eye (terminal, lists, console): every control byte out, as
// UTF-8 (TextAsUtf8).
std::string DisplayText(std::string_view text);

class ByteLines {
public:
    explicit ByteLines(size_t limit) : limit_(limit) {}

    // Calls onLine(std::string_view) for each complete line in the bytes.
    template <typename F>
    void Feed(std::string_view bytes, F&& onLine) {
        for (const char ch : bytes) {
            const auto c = static_cast<unsigned char>(ch);
            if (c == '\r' || c == '\n') {
                if (overlong_) ++dropped_;
                else if (!line_.empty()) onLine(std::string_view(line_));
                line_.clear();
                overlong_ = false;
                continue;
            }
            if (overlong_ || LineControlByte(c)) continue;
            if (line_.size() >= limit_) {
                overlong_ = true;
                line_.clear();
                continue;
            }
            line_.push_back(ch);
        }
    }
    // Lines dropped for being longer than the limit.
    uint64_t Dropped() const { return dropped_; }
    size_t Limit() const { return limit_; }

private:
    size_t limit_;
    std::string line_;
    bool overlong_ = false;
    uint64_t dropped_ = 0;
};

}  // namespace velmora
