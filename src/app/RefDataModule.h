#pragma once
// Reference look-ups: the zip-code table loaded at start-up, the airport
// table when first needed, the finds that show a place's status lines and
// mark it on the maps, and the airport list.
#include <functional>
#include <string>
#include <vector>

#include "app/Module.h"
#include "lists/ListModel.h"
#include "refdata/Airports.h"
#include "refdata/ZipCodes.h"

namespace velmora {

class ListWindows;
class MapsModule;

constexpr uint16_t kCmdAirportList = 8218;
constexpr uint16_t kCmdFind = 8134;

// The map window's "Find" dialog: an airport identifier or a zip code,
// each field answered as it is typed; OK shows and marks the one filled.
struct FindForm {
    std::function<std::string(const std::string&)> airportText, zipText;
    std::string airport, zip;
};

// "ARPL": the airports of the table, the marked ones first when sorted by
// the mark.
class AirportListModel final : public ListModel {
public:
    explicit AirportListModel(const AirportTable& table) : table_(table) {}
    FourCC Code() const override { return MakeFourCC("ARPL"); }
    std::string_view Title() const override { return "Airport List"; }
    const std::vector<ListColumn>& Columns() const override;
    size_t RowCount() const override { return table_.Entries().size(); }
    ListCell Cell(size_t row, size_t column) const override;
    std::optional<GeoRect> RowArea(size_t row) const override;
    void Refresh() override {}

private:
    const AirportTable& table_;
};

class RefDataModule final : public Module {
public:
    RefDataModule(ModuleServices services, MapsModule& maps, ListWindows* lists);
    void Startup() override;
    bool Command(uint16_t id) override;
    bool IsChecked(uint16_t) const override { return false; }

    // The status lines of an airport or a zip code found (marked on the
    // maps), or the one line saying why not.
    std::vector<std::string> ShowAirport(std::string_view text);
    std::vector<std::string> ShowZipCode(std::string_view text);
    // "find airport ID" / "find zip NNNNN" on the console.
    std::vector<std::string> ConsoleFind(std::string_view args);
    const AirportTable& Airports();
    const ZipTable& Zips() const { return zips_; }
    ListModel& AirportList() { return list_; }
    // The Find dialog, once the program has one; false when cancelled.
    std::function<bool(FindForm&)> askFind = [](FindForm&) { return false; };
    void Find();

private:
    bool LoadAirports();
    void Show(const std::vector<std::string>& lines);

    ModuleServices s_;
    MapsModule& maps_;
    ListWindows* lists_;
    AirportTable airports_;
    bool airportsTried_ = false;
    ZipTable zips_;
    AirportListModel list_{airports_};
};

}  // namespace velmora
