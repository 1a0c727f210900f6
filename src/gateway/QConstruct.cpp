#include "gateway/QConstruct.h"

#include <vector>

namespace velmora {
namespace {

std::vector<std::string> Elements(std::string_view path) {
    std::vector<std::string> out;
    while (true) {
        const size_t comma = path.find(',');
        const std::string_view e = path.substr(0, comma);
        if (!e.empty()) out.emplace_back(e);
        if (comma == std::string_view::npos) break;
        path.remove_prefix(comma + 1);
    }
    return out;
}

bool IsQ(std::string_view e) { return e.size() == 3 && e[0] == 'q' && e[1] == 'A'; }

std::string_view Bare(std::string_view call) {
    while (!call.empty() && call.back() == '*') call.remove_suffix(1);
    return call;
}

}  // namespace

std::optional<std::string> ClientPacket(std::string_view line, const ClientLogin& login, std::string_view server) {
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon + 1 >= line.size()) return std::nullopt;
    const std::string_view head = line.substr(0, colon);
    const size_t gt = head.find('>');
    if (gt == std::string_view::npos || gt == 0 || gt + 1 >= head.size()) return std::nullopt;
    const std::string_view source = head.substr(0, gt);
    std::vector<std::string> path = Elements(head.substr(gt + 1));
    size_t q = path.size();
    for (size_t i = 0; i < path.size(); ++i)
        if (IsQ(path[i])) q = i;

    if (login.verified) {
        if (q == path.size()) {
            const bool own = Bare(source) == login.call;
            path.push_back(own ? "qAC" : "qAO");
            path.emplace_back(own ? server : std::string_view(login.call));
        }
    } else {
        bool overNet = false;
        for (std::string& e : path) {
            if (Bare(e) != "TCPIP") continue;
            e.replace(3, 2, "XX");
            overNet = true;
        }
        if (!overNet) return std::nullopt;
        path.resize(q);  // the client's own q construct is not believed
        path.emplace_back("qAX");
        path.emplace_back(server);
    }
    std::string out(source);
    for (size_t i = 0; i < path.size(); ++i) out.append(i ? "," : ">").append(path[i]);
    out.append(line.substr(colon));
    return out;
}

bool PathHoldsQ(std::string_view line, std::string_view q) {
    const std::string_view head = line.substr(0, line.find(':'));
    for (const std::string& e : Elements(head.substr(head.find('>') == std::string_view::npos ? 0 : head.find('>') + 1)))
        if (e == q) return true;
    return false;
}

}  // namespace velmora
