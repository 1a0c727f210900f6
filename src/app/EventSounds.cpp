#include "app/EventSounds.h"

#include <string>

namespace velmora {
namespace {

constexpr EventSoundEntry kEventSounds[] = {
    {1000, "Station moved", "Moved.wav"},
    {1001, "TNC Connected", "TNCConn.wav"},
    {1002, "New station", "NewStat.wav"},
    {3000, "New Message", "NewMail.wav"},
    {3001, "New Bulletin", "Bulletin.wav"},
    {5000, "Explosion", "Explode.wav"},
    {6000, "Selective Query", "SelQuery.wav"},
    {6001, "Low Temp alarm", "LowTemp.wav"},
    {6002, "Hi Temp alarm", "HiTemp.wav"},
    {6003, "Delta Temp alarm", "DeltTemp.wav"},
    {6004, "GPS alarm", "GPSAlarm.wav"},
    {6005, "Proximity Warning", "ProxWarn.wav"},
    {6006, "Proximity Danger", "ProxDang.wav"},
    {8000, "High wind alarm", "HiWind.wav"},
    {8001, "Band Opening", "BandOpen.wav"},
    {8003, "Weather BLN", "WxBultn.wav"},
};

}  // namespace

std::span<const EventSoundEntry> EventSoundTable() { return kEventSounds; }

const EventSoundEntry* FindEventSound(int id) {
    for (const EventSoundEntry& e : kEventSounds)
        if (e.id == id) return &e;
    return nullptr;
}

void EventNotices::PlayEventSound(int event, std::string_view about) {
    const EventSoundEntry* e = FindEventSound(event);
    std::string caption = e ? e->caption : "Unknown " + std::to_string(event);
    if (!about.empty()) caption += " " + std::string(about);
    front_.StatusText(caption);
    if (!soundOn_) return;
    const std::string file = std::string("Sounds\\") + (e ? e->file : "Unknown.wav");
    if (!sound_.PlayFile(files_.RealPath(file))) sound_.Beep();
}

}  // namespace velmora
