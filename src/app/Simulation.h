#pragma once
// A simulation file fed a few lines a second from the tick, as if heard
// from the VHF TNC but not live. The file is read as it is fed, so its size
// does not matter; choosing another file replaces the one in progress.
#include <cstdio>
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
    bool Start(const std::string& path);
    void Stop();
    bool Active() const { return file_ != nullptr; }

    // Feeds up to maxLines lines; at the end of the file three beeps and
    // the simulation is released. Returns the lines fed.
    int Feed(App& app, int maxLines);

private:
    // The next line, without its ending; false at the end of the file.
    bool NextLine(std::string& line);

    std::FILE* file_ = nullptr;
};

}  // namespace velmora
