#include "app/NwsModule.h"

#include <algorithm>
#include <cctype>

#include "app/ListsModule.h"
#include "app/MapsModule.h"
#include "app/MessagingModule.h"
#include "app/TransmitModule.h"
#include "gateway/IgateRules.h"
#include "maps/MapLoader.h"

namespace velmora {
namespace {

bool AreaFile(std::string_view name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    std::string ext(name.substr(dot + 1));
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext == "RGN" || ext == "CLN" || ext == "MAP";
}

}  // namespace

NwsModule::NwsModule(ModuleServices services, MapsModule& maps, MessagingModule& messaging, TransmitModule& transmit,
                     ListWindows* lists)
    : s_(services), maps_(maps), messaging_(messaging), transmit_(transmit), lists_(lists) {
    list_.send = [this](int level, const std::vector<int>& areas) { return Send(level, areas); };
}

void NwsModule::Startup() {
    LoadAreas();
    LoadFiles();
    maps_.AddLayer(&shading_);
    list_.Invalidate();
}

// One area per outline file in "Counties"; a missing folder leaves none.
void NwsModule::LoadAreas() {
    const std::string folder = s_.platform.files.RealPath("Counties");
    const auto items = s_.platform.files.ListFolder(folder);
    if (!items) return;
    std::vector<FolderItem> files = *items;
    std::sort(files.begin(), files.end(), [](const FolderItem& a, const FolderItem& b) { return a.name < b.name; });
    MapLoader loader;
    for (const FolderItem& item : files) {
        if (item.isFolder || !AreaFile(item.name)) continue;
        const std::string path = folder + "/" + item.name;
        const auto head = s_.platform.files.ReadWhole(path, kMapHeadBytes);
        auto d = head ? ReadMapHeader(*head, item.name) : std::nullopt;
        if (!d) continue;
        d->entry = MapFolderEntry{item.name, path, false, -1};
        LoadedMap map;
        MapNotices notices;  // an outline that will not load is left out quietly
        if (loader.Load(s_.platform.files, *d, map, notices) != MapLoadStatus::kLoaded) continue;
        const std::string code = NwsAreaCode(item.name);
        if (alerts_.Find(code) >= 0) continue;
        alerts_.AddArea(code, {d->west, d->east, d->north, d->south});
        shading_.Add({std::move(map.points), GeoRect{d->west, d->east, d->north, d->south}, 0});
    }
}

void NwsModule::LoadFiles() {
    const FileAccess& files = s_.platform.files;
    std::vector<std::string> lines;
    const auto read = [&](const char* name) {
        lines.clear();
        return files.ReadLines(name, [&](std::string_view l) {
            while (!l.empty() && (l.back() == ' ' || l.back() == '\t')) l.remove_suffix(1);
            if (!l.empty()) lines.emplace_back(l);
        });
    };
    // "SkyWarn.txt": its first line, longer than three characters, begins
    // the own call of a station that may send bulletins.
    if (read("SkyWarn.txt") && !lines.empty() && lines[0].size() > 3)
        alerts_.SetOriginator(s_.prefs.OwnCall().rfind(lines[0], 0) == 0);
    if (read("Counties.txt")) alerts_.SetRelayAreas(lines);
    if (read("NWSrelay.txt")) alerts_.SetRelaySenders(lines);
    else alerts_.SetRelaySenders(std::nullopt);
    if (read("Regions.txt")) {
        for (std::string& l : lines)
            for (char& c : l) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        list_.SetRegions(lines);
    }
}

bool NwsModule::Command(uint16_t id) {
    if (id != kCmdNwsList) return false;
    list_.Invalidate();
    if (lists_) lists_->ShowList(list_);
    return true;
}

void NwsModule::MinuteChanged(const LocalDateTime& now) {
    if (now.minute % 15 == 0) ExpireAlerts();
}

void NwsModule::ExpireAlerts() {
    if (alerts_.Expire(s_.platform.clock.NowStamp())) Changed();
}

void NwsModule::Changed() {
    for (size_t i = 0; i < alerts_.Areas().size(); ++i) {
        const NwsArea& a = alerts_.Areas()[i];
        shading_.SetShade(i, a.active ? a.level : 0);
    }
    maps_.Redraw();
    list_.Invalidate();
}

void NwsModule::Bulletin(std::string_view from, std::string_view to, std::string_view text, char port, bool live) {
    NwsAlerts::Context c;
    c.now = s_.platform.clock.NowStamp();
    c.utcOffsetHours = s_.prefs.UtcOffsetHours();
    c.live = live;
    c.sourceKind = (port == '3' || port == 'T') ? 'T' : port;
    c.homeLon = s_.prefs.OwnLonUnits();
    c.homeLat = s_.prefs.OwnLatUnits();
    c.alarmRadiusMiles = static_cast<int>(s_.prefs.Number(pref::kWxAlarmRadius));
    const NwsOutcome o = alerts_.Handle(from, to, text, c);
    for (const std::string& info : o.relays) {
        transmit_.Transmit('V', RelayLine(from, "APRS", s_.prefs.OwnCall(), info));
    }
    if (o.changed) Changed();
    if (o.alarm) s_.platform.notices.PlayEventSound(kSoundWeatherBulletin, "Weather bulletin " + std::string(text));
}

bool NwsModule::Send(int level, const std::vector<int>& areas) {
    if (!alerts_.Originator() || areas.empty()) return false;
    NwsExpiryForm form{NwsAlerts::DefaultExpiry(s_.platform.clock.NowStamp()), "general"};
    if (level != 0 && !askExpiry(form)) return false;  // cancelled: nothing goes out
    return SendChosen(level, areas, form);
}

bool NwsModule::SendChosen(int level, const std::vector<int>& areas, const NwsExpiryForm& form) {
    if (!alerts_.Originator() || areas.empty()) return false;
    const TimeStamp now = s_.platform.clock.NowStamp();
    const TimeStamp expiry = level == 0 ? now + 3600 : ToTimeStamp(form.expiry);
    std::string event;
    for (char c : form.event)
        if (c != ',' && static_cast<unsigned char>(c) > ' ') event += c;  // a comma would split the bulletin
    if (event.empty()) event = "general";
    for (const NwsMessage& m : alerts_.Send(level, areas, expiry, event.substr(0, 32), s_.prefs.OwnCall(), now))
        messaging_.Core().SendMessage(m.addressee, m.text, '-', -1, expiry, std::nullopt, false);
    Changed();
    return true;
}

std::vector<std::string> NwsModule::ConsoleCommand(std::string_view args) {
    std::vector<std::string> out;
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size();) {
        while (i < args.size() && args[i] == ' ') ++i;
        const size_t end = std::min(args.find(' ', i), args.size());
        if (end > i) words.emplace_back(args.substr(i, end - i));
        i = end;
    }
    if (words.empty()) {
        for (const NwsArea& a : alerts_.Areas())
            if (a.active || !a.timeText.empty())
                out.push_back(a.code + "\t" + std::string(NwsLevelName(a.level)) + "\t" + a.event + "\t" + a.timeText + "\t" +
                              a.issuer);
        out.push_back(std::to_string(alerts_.AreaCount()) + " areas" +
                      (alerts_.Originator() ? ", this station may send bulletins" : ""));
        return out;
    }
    static constexpr std::pair<std::string_view, int> kLevels[] = {
        {"cancel", 0}, {"advis", 1}, {"watch", 2}, {"warn", 3}, {"test", 4}};
    int level = -1;
    if (words.size() >= 3 && words[0] == "send")
        for (const auto& [name, l] : kLevels)
            if (words[1] == name) level = l;
    if (level < 0) return {"usage: nws | nws send cancel|advis|watch|warn|test EVENT CODE..."};
    if (!alerts_.Originator()) return {"This station is not an NWS originator (see SkyWarn.txt)"};
    std::vector<int> areas;
    for (size_t w = 3; w < words.size(); ++w) {
        std::string code = words[w];
        for (char& c : code) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const int i = alerts_.Find(code);
        if (i < 0) return {"No area " + code};
        areas.push_back(i);
    }
    NwsExpiryForm form{NwsAlerts::DefaultExpiry(s_.platform.clock.NowStamp()), words[2]};
    if (!SendChosen(level, areas, form)) return {"Nothing sent"};
    return {"Sent " + std::to_string(areas.size()) + " areas"};
}

}  // namespace velmora
