#include "app/SettingsChecks.h"

#include <cctype>

namespace velmora {

std::string CallProblem(std::string_view call) {
    const size_t dash = call.find('-');
    const std::string_view base = call.substr(0, dash);
    if (base.empty() || base.size() > 6) return "A call has one to six letters and digits before its SSID";
    for (char c : base)
        if (!std::isupper(static_cast<unsigned char>(c)) && !std::isdigit(static_cast<unsigned char>(c)))
            return "A call is written in capital letters and digits (" + std::string(call) + ")";
    if (dash == std::string_view::npos) return {};
    const std::string_view ssid = call.substr(dash + 1);
    int n = 0;
    for (char c : ssid) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return "The SSID after the \"-\" is a number from 1 to 15";
        n = n * 10 + (c - '0');
        if (n > 15) break;
    }
    if (ssid.empty() || ssid.size() > 2 || n < 1 || n > 15) return "The SSID after the \"-\" is a number from 1 to 15";
    return {};
}

std::string PathProblem(std::string_view path, std::string_view what) {
    if (path.empty()) return {};
    int count = 0;
    while (true) {
        const size_t comma = path.find(',');
        const std::string_view call = path.substr(0, comma);
        if (const std::string why = CallProblem(call); !why.empty())
            return std::string(what) + ": " + why;
        if (++count > 8) return std::string(what) + " has more than eight calls";
        if (comma == std::string_view::npos) return {};
        path.remove_prefix(comma + 1);
    }
}

// Blanks around commas go. A blank before a whole element ("WIDE1-1
// WIDE2-1") stands for the comma it was meant to be; one inside an element
// ("wide 2-2") is a slip and closes up.
std::string TidyPath(std::string_view path) {
    std::string out;
    for (size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c != ' ' && c != '\t') {
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            continue;
        }
        const size_t next = path.find_first_not_of(" \t", i);
        if (next == std::string_view::npos) break;
        const std::string_view word = path.substr(next, path.find_first_of(" \t,-", next) - next);
        const bool element = word.find_first_not_of("0123456789") != std::string_view::npos;
        if (element && !out.empty() && out.back() != ',' && path[next] != ',') out += ',';
        i = next - 1;
    }
    return out;
}

bool IsPathSetting(std::string_view name) {
    return name == "unproto_path" || name.starts_with("alt_path_") || name.starts_with("kiss_digi_path_") ||
           name.starts_with("alias_list_");
}

}  // namespace velmora
