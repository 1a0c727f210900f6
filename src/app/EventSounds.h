#pragma once
// The event notifier: each event has a caption for the status line and a
// wave file in "Sounds"; a file that cannot be played beeps instead.
#include <span>
#include <string_view>

#include "platform/Files.h"
#include "platform/Notices.h"
#include "platform/Sound.h"

namespace velmora {

struct EventSoundEntry {
    int id;
    const char* caption;
    const char* file;
};

// Every event with a sound, in id order.
std::span<const EventSoundEntry> EventSoundTable();
// The entry of an event; null for an unknown one.
const EventSoundEntry* FindEventSound(int id);

// Wraps the front end's status line with the sounds.
class EventNotices final : public NoticeSink {
public:
    EventNotices(NoticeSink& front, Sound& sound, const FileAccess& files)
        : front_(front), sound_(sound), files_(files) {}
    void StatusText(std::string_view text) override { front_.StatusText(text); }
    // The caption, with the station it is about, on the status line; then
    // the sound when the switch is on.
    void PlayEventSound(int event, std::string_view about) override;
    void Beep() override { sound_.Beep(); }

    void EnableSound(bool on) override { soundOn_ = on; }

private:
    NoticeSink& front_;
    Sound& sound_;
    const FileAccess& files_;
    bool soundOn_ = true;
};

}  // namespace velmora
