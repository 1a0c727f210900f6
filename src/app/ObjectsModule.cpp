#include "app/ObjectsModule.h"

#include "app/SettingsDialogs.h"
#include "app/TransmitModule.h"
#include "geo/Position.h"
#include "geo/PositionInput.h"
#include "lists/SymbolNames.h"
#include "stations/StationUpdate.h"

namespace velmora {
namespace {

constexpr int8_t kObjectIcon = 30;
constexpr FourCC kList = MakeFourCC("LIST");

}  // namespace

std::string DescribeObject(const OwnObjectEntry& e) {
    std::string text = std::string(e.item ? "Item " : "Object ") + e.name + " at " +
                       ShowPosition(LatDegreesFromUnits(e.lat), LonDegreesFromUnits(e.lon)) + ", " + e.symbolTable +
                       e.symbolCode;
    if (const std::string_view meaning = SymbolMeaning(e.symbolTable, e.symbolCode); !meaning.empty())
        text += " " + std::string(meaning);
    if (e.speed > 0) text += ", " + std::to_string(e.course) + "° at " + std::to_string(e.speed) + " kn";
    if (!e.comment.empty()) text += ": " + e.comment;
    if (e.Killed()) text += " (killed)";
    return text;
}

void ObjectsModule::Startup() {
    const FileAccess& files = s_.platform.files;
    if (const auto text = files.ReadWhole(files.RealPath(OwnObjectStore::kFileName), 1 << 20)) {
        if (const int bad = store_.ReadFile(*text))
            s_.platform.notices.StatusText(std::to_string(bad) + " lines of Objects.txt could not be read");
    }
    MirrorAll();
}

void ObjectsModule::Save() {
    const FileAccess& files = s_.platform.files;
    if (!files.WriteWhole(files.RealPath(OwnObjectStore::kFileName), store_.FileText()))
        s_.platform.notices.StatusText("Could not save Objects.txt");
}

// The table shows our objects as the decoder shows others', marked "+".
void ObjectsModule::Mirror(const OwnObjectEntry& e) {
    StationContext& st = s_.app.StationUpdates();
    const FindResult found = FindOrAddStation(st, e.name, Liveness::kReplay, SourceKind::kOwn, 0, NameRules::kObjectName);
    if (found.index < 0) return;
    StationRecord& r = s_.app.Stations().At(found.index);
    const auto [lon, lat] = DeadReckoned(e, s_.app.Now().NowStamp());
    r.objectState = e.Killed() ? 0 : '+';
    r.killed = e.Killed() ? 1 : 0;
    r.specialIcon = kObjectIcon;
    r.reportType = e.item ? ')' : ';';
    r.symbolTable = e.symbolTable, r.symbolCode = e.symbolCode;
    r.lon = lon, r.lat = lat;
    r.course = static_cast<int16_t>(e.course), r.speedKnots = static_cast<int16_t>(e.speed);
    r.altitudeFeet = e.altitudeFeet;
    r.comment = e.comment;
    r.lastInfo.Clear();  // a report another station sent under this name is not ours
    r.status = std::string(e.item ? "Item" : "Object") + " created by " + std::string(s_.app.Own().call.View());
    if (r.lastHeard == 0) r.lastHeard = r.firstHeard = s_.app.Now().NowStamp();
    st.events.RedrawStation(found.index);
    st.events.InvalidateList(kList, MakeFourCC("STAL"));
}

void ObjectsModule::MirrorAll() {
    DropSpent();
    for (const OwnObjectEntry& e : store_.Entries()) Mirror(e);
}

// A new, moved or killed object goes out at once on its routes.
void ObjectsModule::SendNow(const OwnObjectEntry& e) {
    const auto report = store_.Report(e.name, s_.app.Now().NowStamp(), static_cast<int>(s_.prefs.UtcOffsetHours()));
    if (!report) return;
    if (e.routes == kObjectRoutesAll) {
        transmit_.Transmit('-', *report, 5);
        return;
    }
    const std::pair<uint8_t, char> kRoutes[] = {{kObjectRouteHf, 'H'}, {kObjectRouteVhf, 'V'}, {kObjectRouteInternet, 'T'}};
    for (const auto& [bit, route] : kRoutes)
        if (e.routes & bit) transmit_.Transmit(route, *report, 5);
}

void ObjectsModule::DropSpent() {
    const std::vector<std::string> spent = store_.TakeSpent(s_.app.Now().NowStamp());
    for (const std::string& name : spent) {
        const StationIndex i = FindStation(s_.app.Stations(), name);
        if (i >= 0) s_.app.Stations().At(i).objectState = 0;
    }
    if (!spent.empty()) Save();
}

std::vector<std::string> ObjectsModule::ReportsFor(char route) {
    DropSpent();
    return store_.Reports(route, s_.app.Now().NowStamp(), static_cast<int>(s_.prefs.UtcOffsetHours()));
}

ObjectsModule::Outcome ObjectsModule::Put(OwnObjectEntry entry) {
    if (entry.name == s_.app.Own().call.View()) return {false, "An object cannot bear the station's own call"};
    const StationIndex other = FindStation(s_.app.Stations(), entry.name);
    if (other >= 0 && !store_.Find(entry.name) && s_.app.Stations().At(other).specialIcon != kObjectIcon)
        return {false, entry.name + " is a station heard on the air: choose another name"};
    entry.setAt = s_.app.Now().NowStamp();
    if (std::string why = store_.Put(entry); !why.empty()) return {false, why};
    const OwnObjectEntry& kept = *store_.Find(entry.name);
    Mirror(kept);
    SendNow(kept);
    Save();
    return {true, DescribeObject(kept)};
}

ObjectsModule::Outcome ObjectsModule::Move(const std::string& name, int32_t lon, int32_t lat) {
    if (std::string why = store_.Move(name, lon, lat, s_.app.Now().NowStamp()); !why.empty()) return {false, why};
    const OwnObjectEntry& kept = *store_.Find(name);
    Mirror(kept);
    SendNow(kept);
    Save();
    return {true, DescribeObject(kept)};
}

ObjectsModule::Outcome ObjectsModule::Kill(const std::string& name) {
    if (std::string why = store_.Kill(name); !why.empty()) return {false, why};
    const OwnObjectEntry& kept = *store_.Find(name);
    SendNow(kept);
    Mirror(kept);
    Save();
    return {true, DescribeObject(kept)};
}

}  // namespace velmora

namespace velmora {

bool ObjectsModule::RunDialog(ObjectForm form) {
    if (!dialogs_ || !dialogs_->EditObject(form)) return false;
    const ObjectForm::Read read = form.Entry();
    const Outcome done = read.problem.empty() ? Put(read.entry) : Outcome{false, read.problem};
    s_.platform.notices.StatusText(done.text);
    if (!done.ok) s_.ui.MessageBox(done.text, "Object", Buttons::kOk);
    return done.ok;
}

bool ObjectsModule::CreateAt(int32_t lon, int32_t lat) {
    return RunDialog(ObjectForm::At(LatDegreesFromUnits(lat), LonDegreesFromUnits(lon)));
}

bool ObjectsModule::Edit(const std::string& name) {
    const OwnObjectEntry* e = store_.Find(name);
    if (!e || e->Killed()) return false;
    return RunDialog(ObjectForm::From(*e));
}

}  // namespace velmora
