#include "ports/UplinkDupes.h"

#include <algorithm>

namespace velmora {

std::string DupeKey(std::string_view packet) {
    const size_t colon = packet.find(':');
    if (colon == std::string_view::npos) return std::string(packet);
    const std::string_view head = packet.substr(0, colon);
    const size_t gt = head.find('>');
    const size_t comma = head.find(',', gt == std::string_view::npos ? 0 : gt);
    std::string key(head.substr(0, comma));
    key.append(packet.substr(colon));
    return key;
}

UplinkVerdict UplinkDupes::Check(std::string_view packet, TimeStamp now) {
    if (packet.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos) return UplinkVerdict::kNotOneLine;
    while (!recent_.empty() && now - recent_.front().first >= kWindow) recent_.pop_front();
    std::string key = DupeKey(packet);
    if (std::any_of(recent_.begin(), recent_.end(), [&](const auto& r) { return r.second == key; }))
        return UplinkVerdict::kDuplicate;
    if (recent_.size() >= 4096) recent_.pop_front();  // a flood cannot grow it without end
    recent_.emplace_back(now, std::move(key));
    return UplinkVerdict::kSend;
}

}  // namespace velmora
