#include "ports/TncFiles.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace velmora {

const char* const kDefaultTncText =
    "******************************************\r* Default Velmora / Dorvale TNC settings\r* Modify as needed\r"
    "Echo off\rPACLen 128\rB E 0\rDIGi on\rHEA OFF\rMONITOR ON\rmyalias none\rmxmit off\r";

std::vector<TncModel> ListTncModels(const FileAccess& files) {
    std::vector<TncModel> out;
    std::error_code ec;
    const std::filesystem::path folder = files.RealPath("TNCfiles");
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        std::string ext = entry.path().extension().string();
        for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (ext != ".TNC" || !entry.is_regular_file(ec)) continue;
        TncModel m{name, {}, {}};
        files.ReadLines(":TNCfiles:" + name, [&](std::string_view line) {
            if (line.empty() || line[0] != '!') return;
            if (m.title.empty()) m.title = line.substr(1);
            else m.description += std::string(line.substr(1)) + "\n";
        });
        out.push_back(std::move(m));
    }
    std::sort(out.begin(), out.end(), [](const TncModel& a, const TncModel& b) { return a.fileName < b.fileName; });
    return out;
}

std::string ReadTncModel(const FileAccess& files, const std::string& fileName) {
    std::string text;
    files.ReadLines(":TNCfiles:" + fileName, [&](std::string_view line) { text.append(line).append("\r"); });
    return text;
}

bool WriteInitFile(const FileAccess& files, const std::string& name, std::string_view text) {
    std::string out, line;
    const auto flush = [&] {
        if (!line.empty()) out.append(line).append("\r\n");
        line.clear();
    };
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            flush();
            continue;
        }
        if (static_cast<unsigned char>(c) >= ' ' && static_cast<unsigned char>(c) < 127) line.push_back(c);
        if (line.size() >= 128) flush();
    }
    flush();
    return files.WriteWhole(files.RealPath(name), out);
}

std::vector<std::string> ReadAltPaths(const FileAccess& files) {
    std::vector<std::string> out;
    files.ReadLines("AltPath.txt", [&](std::string_view line) {
        if (!line.empty()) out.emplace_back(line.substr(0, 64));
    });
    return out;
}

}  // namespace velmora
