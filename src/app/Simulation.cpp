#include "app/Simulation.h"

namespace velmora {

bool Simulation::Start(const FileAccess& files, const std::string& path) {
    Stop();
    std::unique_ptr<FileReader> reader = files.OpenRead(path);
    if (reader) lines_ = std::make_unique<LineReader>(std::move(reader), kLineLimit);
    return lines_ != nullptr;
}

void Simulation::Stop() { lines_.reset(); }

int Simulation::Feed(App& app, int maxLines) {
    if (!lines_) return 0;
    int fed = 0;
    std::string line;
    for (int n = 0; n < maxLines; ++n) {
        if (!lines_->Next(line)) {
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
