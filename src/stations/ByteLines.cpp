#include "stations/ByteLines.h"

namespace velmora {
namespace {

bool MicEInfo(std::string_view line) {
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon + 1 >= line.size()) return false;
    const char first = line[colon + 1];
    return first == '`' || first == '\'' || first == 0x1C || first == 0x1D;
}

bool Control(unsigned char c) { return c < 0x20 || c == 0x7F; }

}  // namespace

// Whether byte i of a line goes: a control byte that is not Mic-E data.
bool Drops(std::string_view line, size_t i, bool micE, size_t colon) {
    const auto c = static_cast<unsigned char>(line[i]);
    return Control(c) && !(micE && i > colon && c >= 0x1C);
}

std::string PacketText(std::string_view line) {
    const bool micE = MicEInfo(line);
    const size_t colon = line.find(':');
    std::string out;
    out.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i)
        if (!Drops(line, i, micE, colon)) out.push_back(line[i]);
    return out;
}

bool HoldsControlBytes(std::string_view line) {
    const bool micE = MicEInfo(line);
    const size_t colon = line.find(':');
    for (size_t i = 0; i < line.size(); ++i)
        if (Drops(line, i, micE, colon)) return true;
    return false;
}

namespace {

bool ValidUtf8(std::string_view t) {
    for (size_t i = 0; i < t.size();) {
        const auto c = static_cast<unsigned char>(t[i]);
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (n == 0 || i + n > t.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

}  // namespace

std::string TextAsUtf8(std::string_view text) {
    if (ValidUtf8(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() * 2);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string DisplayText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        if (!Control(static_cast<unsigned char>(c))) out.push_back(c);
    return TextAsUtf8(out);
}

}  // namespace velmora
