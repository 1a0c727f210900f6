#pragma once
// Event sounds: a wave file played without waiting, or the system beep.
#include <string>

namespace velmora {

class Sound {
public:
    virtual ~Sound() = default;
    // Starts playing a wave file; false (nothing played) when it cannot be
    // read or there is no audio output, so the caller can beep instead.
    virtual bool PlayFile(const std::string& path) = 0;
    virtual void Beep() = 0;
};

}  // namespace velmora
