#include "app/Simulation.h"

namespace velmora {

bool Simulation::Start(const std::string& path) {
    Stop();
    file_ = std::fopen(path.c_str(), "rb");
    return file_ != nullptr;
}

void Simulation::Stop() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

bool Simulation::NextLine(std::string& line) {
    line.clear();
    int c;
    bool any = false;
    while ((c = std::fgetc(file_)) != EOF) {
        any = true;
        if (c == '\n') return true;
        if (c == '\r') {
            const int next = std::fgetc(file_);
            if (next != '\n' && next != EOF) std::ungetc(next, file_);
            return true;
        }
        // The rest of an over-long line is dropped with it.
        if (line.size() < kLineLimit) line.push_back(static_cast<char>(c));
    }
    return any;
}

int Simulation::Feed(App& app, int maxLines) {
    if (!file_) return 0;
    int fed = 0;
    std::string line;
    for (int n = 0; n < maxLines; ++n) {
        if (!NextLine(line)) {
            Stop();
            NoticeSink& notices = app.PlatformLayer().notices;
            for (int b = 0; b < 3; ++b) notices.Beep();
            break;
        }
        // Comment lines and anything too short to be a packet are passed over.
        if (line.empty() || line[0] == '>' || line.size() < 11) continue;
        app.ProcessReceivedLine(line, Liveness::kReplay, SourceKind::kVhf);
        ++fed;
    }
    return fed;
}

}  // namespace velmora
