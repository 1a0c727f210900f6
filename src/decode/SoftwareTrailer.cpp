#include "decode/SoftwareTrailer.h"

namespace velmora {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "<" + count hex digits + ">" ending the text; -1 when absent.
int HexField(std::string_view s, size_t count) {
    const size_t n = s.size();
    if (n < count + 2 || s[n - 1] != '>' || s[n - count - 2] != '<') return -1;
    int value = 0;
    for (size_t i = n - count - 1; i < n - 1; ++i) {
        const int h = HexValue(s[i]);
        if (h < 0) return -1;
        value = value * 16 + h;
    }
    return value;
}

// "-ddd-" ending at position end (exclusive); -1 when absent.
int VersionField(std::string_view s, size_t end) {
    if (end < 5 || end > s.size()) return -1;
    const std::string_view f = s.substr(end - 5, 5);
    if (f[0] != '-' || f[4] != '-') return -1;
    int v = 0;
    for (size_t i = 1; i < 4; ++i) {
        if (f[i] < '0' || f[i] > '9') return -1;
        v = v * 10 + (f[i] - '0');
    }
    return v;
}

}  // namespace

SoftwareTrailer ParseSoftwareTrailer(std::string_view c) {
    SoftwareTrailer t;
    const size_t n = c.size();
    if (const int hhh = HexField(c, 3); hhh >= 0) {
        t.systemCode = static_cast<int16_t>(hhh);
        const int v = VersionField(c, n - 5);
        if (v < 0) return t;
        t.version = static_cast<int16_t>(v);
        if (n >= 24 && c[n - 24] == '-') {
            t.codeA = c.substr(n - 23, 2);
            t.codeB = c.substr(n - 21, 3);
            t.codeC = c.substr(n - 18, 8);
        } else if (n >= 16 && c[n - 16] == '-') {
            t.codeA = c.substr(n - 15, 2);
            t.codeB = c.substr(n - 13, 3);
        }
        return t;
    }
    if (const int hh = HexField(c, 2); hh >= 0) {
        t.systemCode = static_cast<int16_t>(hh);
        const int v = VersionField(c, n - 4);
        if (v >= 0) t.version = static_cast<int16_t>(v);
        return t;
    }
    if (const int v = VersionField(c, n); v >= 0) t.version = static_cast<int16_t>(v);
    return t;
}

}  // namespace velmora
