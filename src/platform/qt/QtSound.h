#pragma once
// Event sounds with QSoundEffect. With no audio output QSoundEffect claims
// to play and nothing is heard, so the outputs are checked first and the
// caller beeps instead.
#include <QSoundEffect>
#include <memory>
#include <string>

#include "platform/Sound.h"

namespace velmora {

class QtSound final : public Sound {
public:
    QtSound();
    ~QtSound() override;
    bool PlayFile(const std::string& path) override;
    void Beep() override;

private:
    std::unique_ptr<QSoundEffect> effect_;  // one at a time, as the event sounds have always played
};

}  // namespace velmora
