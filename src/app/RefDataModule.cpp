#include "app/RefDataModule.h"

#include "app/ListsModule.h"
#include "app/MapsModule.h"
#include "maps/MapReadout.h"

namespace velmora {
namespace {

constexpr size_t kAirportFileLimit = AirportTable::kRecordSize * AirportTable::kMaxEntries;
constexpr size_t kZipFileLimit = 8 * 100000;

}  // namespace

const std::vector<ListColumn>& AirportListModel::Columns() const {
    static const std::vector<ListColumn> columns = {
        {"ID", CellKind::kText},       {"Name", CellKind::kText},      {"State", CellKind::kText},
        {"Position", CellKind::kText}, {"Elevation", CellKind::kNumber}, {"Marked", CellKind::kText},
    };
    return columns;
}

ListCell AirportListModel::Cell(size_t row, size_t column) const {
    if (row >= table_.Entries().size()) return {};
    const AirportEntry& a = table_.Entries()[row];
    switch (column) {
        case 0: return {AirportIdentifier(a.identifier), 0, false};
        case 1: return {a.name, 0, false};
        case 2: return {AirportState(a.state), 0, false};
        case 3: return {CursorPositionText({a.lon, a.lat}), 0, false};
        case 4: return {std::to_string(a.elevation), double(a.elevation), false};
        case 5: return {a.marked ? "yes" : "", 0, !a.marked};
        default: return {};
    }
}

std::optional<GeoRect> AirportListModel::RowArea(size_t row) const {
    if (row >= table_.Entries().size()) return std::nullopt;
    const AirportEntry& a = table_.Entries()[row];
    return GeoRect{a.lon - 1, a.lon + 1, a.lat - 1, a.lat + 1};
}

RefDataModule::RefDataModule(ModuleServices services, MapsModule& maps, ListWindows* lists)
    : s_(services), maps_(maps), lists_(lists) {}

void RefDataModule::Startup() {
    const FileAccess& files = s_.platform.files;
    // A file put in the wrong folder is said once, at start.
    for (const char* name : {"AIRPORT.DAT", "ZIPCODE.DAT"})
        if (files.Exists(std::string("Labels/") + name) && !files.Exists(std::string("Data/") + name))
            s_.ui.MessageBox(std::string(name) + " belongs in the DATA folder, not the LABELS folder", "Velmora",
                             Buttons::kOk);
    if (const auto bytes = files.ReadWhole(files.RealPath("Data/Zipcode.dat"), kZipFileLimit)) zips_.Load(*bytes);
}

bool RefDataModule::LoadAirports() {
    if (airportsTried_) return airports_.Loaded();
    airportsTried_ = true;
    const FileAccess& files = s_.platform.files;
    const auto bytes = files.ReadWhole(files.RealPath("Data/airport.dat"), kAirportFileLimit);
    if (!bytes) {
        s_.ui.MessageBox("Error opening airport data file", "Velmora", Buttons::kOk);
        return false;
    }
    airports_.Load(*bytes);
    std::vector<std::string> listed;
    (void)files.ReadLines("Data/airports.txt", [&](std::string_view l) { listed.emplace_back(l); });
    airports_.MarkListed(listed);
    list_.Invalidate();
    return true;
}

const AirportTable& RefDataModule::Airports() {
    LoadAirports();
    return airports_;
}

void RefDataModule::Show(const std::vector<std::string>& lines) {
    std::string status;
    for (const std::string& l : lines) {
        if (l.empty()) continue;
        if (!status.empty()) status += "  ";
        status += l;
    }
    s_.platform.notices.StatusText(status);
}

std::vector<std::string> RefDataModule::ShowAirport(std::string_view text) {
    LoadAirports();
    const auto i = airports_.Find(text);
    if (!i) {
        const std::string why = std::string(text) + "  Airport not found";
        s_.platform.notices.StatusText(why);
        s_.platform.notices.Beep();
        return {why};
    }
    const AirportEntry& a = airports_.Entries()[*i];
    const std::vector<std::string> lines = AirportLines(a);
    Show(lines);
    maps_.MarkPlace({a.lon, a.lat}, AirportIdentifier(a.identifier));
    return lines;
}

std::vector<std::string> RefDataModule::ShowZipCode(std::string_view text) {
    ZipPosition p;
    switch (zips_.Lookup(text, p)) {
        case ZipStatus::kNotLoaded: s_.platform.notices.StatusText("Zipcode database not loaded"); return {"Zipcode database not loaded"};
        case ZipStatus::kFound: break;
        default: s_.platform.notices.StatusText("Invalid Zipcode"); return {"Invalid Zipcode"};
    }
    const std::vector<std::string> lines = ZipLines(text, p);
    Show(lines);
    maps_.MarkPlace({p.lon, p.lat}, lines.back());
    return lines;
}

std::vector<std::string> RefDataModule::ConsoleFind(std::string_view args) {
    while (!args.empty() && args.front() == ' ') args.remove_prefix(1);
    if (args.rfind("airport ", 0) == 0) return ShowAirport(args.substr(8));
    if (args.rfind("zip ", 0) == 0) return ShowZipCode(args.substr(4));
    return {"usage: find airport ID | find zip NNNNN"};
}

void RefDataModule::Find() {
    LoadAirports();
    FindForm form;
    form.airportText = [this](const std::string& t) { return AirportDialogText(airports_, t); };
    form.zipText = [this](const std::string& t) { return zips_.DialogText(t); };
    if (!askFind(form)) return;
    if (!form.airport.empty()) ShowAirport(form.airport);
    else if (!form.zip.empty()) ShowZipCode(form.zip);
}

bool RefDataModule::Command(uint16_t id) {
    if (id == kCmdFind) {
        Find();
        return true;
    }
    if (id != kCmdAirportList) return false;
    if (!LoadAirports()) return true;
    list_.Invalidate();
    if (lists_) lists_->ShowList(list_);
    return true;
}

}  // namespace velmora
