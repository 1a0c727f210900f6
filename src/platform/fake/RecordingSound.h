#pragma once
// Sound for tests: the files asked for and the beeps, counted.
#include <set>
#include <string>
#include <vector>

#include "platform/Sound.h"

namespace velmora {

class RecordingSound final : public Sound {
public:
    bool PlayFile(const std::string& path) override {
        played.push_back(path);
        return playable.count(path) != 0;
    }
    void Beep() override { ++beeps; }

    std::set<std::string> playable;  // files that "play"; others fail
    std::vector<std::string> played;
    int beeps = 0;
};

}  // namespace velmora
