#include "ports/Ax25.h"

#include "stations/ByteLines.h"

#include <cctype>

namespace velmora {
namespace {

constexpr size_t kAddressBytes = 7;

Ax25Status DecodeAddress(std::string_view b, Ax25Address& a) {
    a.call.clear();
    for (size_t i = 0; i < 6; ++i) {
        const char c = static_cast<char>(static_cast<uint8_t>(b[i]) >> 1);
        if (c == ' ') continue;
        if (!std::isalnum(static_cast<unsigned char>(c))) return Ax25Status::kBadCall;
        a.call.push_back(c);
    }
    const uint8_t s = static_cast<uint8_t>(b[6]);
    a.ssid = (s >> 1) & 0x0F;
    a.repeated = (s & 0x80) != 0;
    a.last = (s & 0x01) != 0;
    return Ax25Status::kOk;
}

void EncodeAddress(const Ax25Address& a, bool last, bool hBit, std::string& out) {
    for (size_t i = 0; i < 6; ++i) {
        const char c = i < a.call.size() ? a.call[i] : ' ';
        out.push_back(static_cast<char>(static_cast<uint8_t>(c) << 1));
    }
    // Bits 5 and 6 are reserved and sent as 1.
    uint8_t s = static_cast<uint8_t>(0x60 | ((a.ssid & 0x0F) << 1));
    if (hBit) s |= 0x80;
    if (last) s |= 0x01;
    out.push_back(static_cast<char>(s));
}

}  // namespace

std::string Ax25Address::Text() const { return ssid ? call + "-" + std::to_string(ssid) : call; }

Ax25Status DecodeAx25(std::string_view b, Ax25Frame& f) {
    f = Ax25Frame{};
    if (b.size() < 2 * kAddressBytes) return Ax25Status::kTruncatedAddress;
    if (Ax25Status s = DecodeAddress(b.substr(0, 7), f.destination); s != Ax25Status::kOk) return s;
    if (Ax25Status s = DecodeAddress(b.substr(7, 7), f.source); s != Ax25Status::kOk) return s;
    size_t at = 2 * kAddressBytes;
    bool last = f.source.last;
    while (!last) {
        if (f.digiCount == Ax25Frame::kMaxDigis) return Ax25Status::kTooManyDigis;
        if (b.size() < at + kAddressBytes) return Ax25Status::kTruncatedAddress;
        Ax25Address& d = f.digis[f.digiCount];
        if (Ax25Status s = DecodeAddress(b.substr(at, 7), d); s != Ax25Status::kOk) return s;
        ++f.digiCount;
        if (d.repeated) f.lastRepeated = f.digiCount;
        last = d.last;
        at += kAddressBytes;
    }
    if (at >= b.size()) return Ax25Status::kNoControl;
    f.control = static_cast<uint8_t>(b[at++]);
    const uint8_t c = f.control;
    if ((c & 0x01) == 0) f.kind = FrameKind::kI;
    else if ((c & 0x03) == 0x01) f.kind = FrameKind::kS;
    else f.kind = (c & ~0x10) == 0x03 ? FrameKind::kUi : FrameKind::kU;
    // I frames and the U frames whose top three control bits are clear
    // (UI among them) carry a protocol identifier.
    const bool hasPid = f.kind == FrameKind::kI || (f.kind != FrameKind::kS && (c & 0xE0) == 0);
    if (hasPid && at < b.size()) f.pid = static_cast<uint8_t>(b[at++]);
    if (f.kind == FrameKind::kI || f.kind == FrameKind::kUi) {
        f.info = std::string(b.substr(at, std::min(b.size() - at, Ax25Frame::kMaxInfo)));
    }
    return Ax25Status::kOk;
}

std::string EncodeAx25(const Ax25Frame& f) {
    std::string out;
    out.reserve(16 + 7 * f.digiCount + f.info.size());
    EncodeAddress(f.destination, false, true, out);  // command frame: C bit in the destination
    EncodeAddress(f.source, f.digiCount == 0, false, out);
    for (uint8_t i = 0; i < f.digiCount; ++i) EncodeAddress(f.digis[i], i + 1 == f.digiCount, f.digis[i].repeated, out);
    out.push_back(static_cast<char>(f.control));
    out.push_back(static_cast<char>(f.pid));
    out.append(f.info);
    return out;
}

std::string MonitorText(const Ax25Frame& f) {
    // Many radios end the information with CR or CR LF: that is no part
    // of it. A NUL, CR or LF inside it would cut or split the line in every
    // program it is passed to: such a frame is not passed on.
    std::string_view info = f.info;
    while (!info.empty() && (info.back() == '\r' || info.back() == '\n')) info.remove_suffix(1);
    if (info.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos) return {};
    // A frame without digipeaters keeps the comma: "SRC>DEST,:info", as
    // the TNCs print it.
    std::string out = f.source.Text() + ">" + f.destination.Text() + ",";
    for (uint8_t i = 0; i < f.digiCount; ++i) {
        if (i) out.push_back(',');
        out += f.digis[i].Text();
        if (i + 1 == f.lastRepeated) out.push_back('*');
    }
    out.push_back(':');
    out.append(info);
    return PacketText(out);
}

bool ParseAx25Address(std::string_view text, Ax25Address& out) {
    out = Ax25Address{};
    const size_t dash = text.find('-');
    const std::string_view call = text.substr(0, dash);
    if (call.empty() || call.size() > 6) return false;
    for (char c : call) {
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
        out.call.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    if (dash == std::string_view::npos) return true;
    const std::string_view ssid = text.substr(dash + 1);
    if (ssid.empty() || ssid.size() > 2) return false;
    int n = 0;
    for (char c : ssid) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        n = n * 10 + (c - '0');
    }
    if (n > 15) return false;
    out.ssid = static_cast<uint8_t>(n);
    return true;
}

}  // namespace velmora
