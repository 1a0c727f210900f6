#include "platform/Files.h"

#include <algorithm>

#include <cctype>
#include <filesystem>

namespace velmora {
namespace fs = std::filesystem;

std::string NormaliseProgramPath(std::string_view programPath) {
    std::string out;
    out.reserve(programPath.size());
    for (char c : programPath) {
        const char sep = (c == ':' || c == '\\') ? '/' : c;
        if (sep == '/' && (out.empty() || out.back() == '/')) continue;
        out.push_back(sep);
    }
    return out;
}

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

fs::path ResolveComponent(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    fs::path exact = dir / name;
    if (fs::exists(exact, ec)) return exact;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (SameIgnoringCase(entry, name)) return it->path();
    }
    return exact;
}

}  // namespace

void ForEachLine(std::FILE* file, const std::function<void(std::string_view)>& onLine) {
    constexpr size_t kLineCap = 65536;  // a line with no ending for megabytes is not text
    std::string line;
    char buffer[65536];
    bool pendingCr = false;
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        size_t i = 0;
        while (i < got) {
            if (pendingCr && buffer[i] == '\n') {
                pendingCr = false;
                ++i;
                continue;
            }
            pendingCr = false;
            // The run up to the next line ending goes in at once.
            size_t end = i;
            while (end < got && buffer[end] != '\r' && buffer[end] != '\n') ++end;
            const size_t room = kLineCap > line.size() ? kLineCap - line.size() : 0;
            line.append(buffer + i, std::min(end - i, room));
            if (end == got) break;
            onLine(line);
            line.clear();
            pendingCr = buffer[end] == '\r';
            i = end + 1;
        }
    }
    if (!line.empty()) onLine(line);
}

DiskFiles::DiskFiles(std::string dataFolder)
    : root_(dataFolder.empty() ? std::string(".") : std::move(dataFolder)) {}

std::string DiskFiles::RealPath(std::string_view programPath) const {
    const std::string relative = NormaliseProgramPath(programPath);
    fs::path current(root_);
    size_t start = 0;
    while (start < relative.size()) {
        size_t end = relative.find('/', start);
        if (end == std::string::npos) end = relative.size();
        if (end > start) current = ResolveComponent(current, relative.substr(start, end - start));
        start = end + 1;
    }
    return current.string();
}

bool DiskFiles::Exists(std::string_view programPath) const {
    std::error_code ec;
    return fs::is_regular_file(RealPath(programPath), ec);
}

bool DiskFiles::ReadLines(std::string_view programPath,
                          const std::function<void(std::string_view)>& onLine) const {
    std::FILE* file = std::fopen(RealPath(programPath).c_str(), "rb");
    if (!file) return false;
    ForEachLine(file, onLine);
    std::fclose(file);
    return true;
}

}  // namespace velmora
