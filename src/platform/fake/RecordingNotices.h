#pragma once
// Keeps every notice so tests can assert on what the operator was told.
#include <string>
#include <vector>

#include "platform/Notices.h"

namespace velmora {

class RecordingNotices final : public NoticeSink {
public:
    struct Sound {
        int event;
        std::string caption;
    };
    void StatusText(std::string_view text) override { status.emplace_back(text); }
    void PlayEventSound(int event, std::string_view caption) override {
        sounds.push_back({event, std::string(caption)});
    }
    void Beep() override { ++beeps; }
    void EnableSound(bool on) override { soundOn = on; }

    int CountSounds(int event) const {
        int n = 0;
        for (const auto& s : sounds) n += (s.event == event);
        return n;
    }

    std::vector<std::string> status;
    std::vector<Sound> sounds;
    int beeps = 0;
    bool soundOn = true;
};

}  // namespace velmora
