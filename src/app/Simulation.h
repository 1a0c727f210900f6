#pragma once
// A simulation file fed a few lines a second from the tick, as if heard
// from the VHF TNC but not live. The file is read as it is fed, so its size
// does not matter; choosing another file replaces the one in progress.
#include <memory>
#include <string>

#include "app/App.h"

namespace velmora {

class Simulation {
public:
    static constexpr size_t kLineLimit = 256;

    Simulation() = default;
    ~Simulation() { Stop(); }
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // False (and nothing in progress) when the file cannot be read.
    bool Start(const FileAccess& files, const std::string& path);
    void Stop();
    bool Active() const { return lines_ != nullptr; }

    // Feeds up to maxLines lines; at the end of the file three beeps and
    // the simulation is released. Returns the lines fed.
    int Feed(App& app, int maxLines);

private:
    std::unique_ptr<LineReader> lines_;
};

}  // namespace velmora
