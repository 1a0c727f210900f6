// Look-ups through the program: the zip table read at start, the airport
// table when first asked for, the misplaced-file alert, and the mark.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/RefDataModule.h"
#include "support/TestProgram.h"

namespace velmora {
namespace {

TEST(RefDataProgram, FindsMarkAndSayWhatIsMissing) {
    {
        test::TestProgram t;
        std::filesystem::create_directory(t.folder / "Labels");
        t.Write("Labels/AIRPORT.DAT", "x");
        t.Started();
        ASSERT_FALSE(t.ui.boxes.empty());
        EXPECT_EQ(t.ui.boxes.front().text, "AIRPORT.DAT belongs in the DATA folder, not the LABELS folder");
        EXPECT_EQ(t.program->RefData().ConsoleFind("zip 06111"), std::vector<std::string>{"Zipcode database not loaded"});
        EXPECT_EQ(t.program->RefData().ConsoleFind("airport BDL"), std::vector<std::string>{"BDL  Airport not found"});
        EXPECT_EQ(t.ui.boxes.back().text, "Error opening airport data file");
    }
    test::TestProgram t;
    const std::filesystem::path demo = std::filesystem::path(VELMORA_SOURCE_DIR) / "demo" / "Data";
    std::filesystem::create_directory(t.folder / "Data");
    std::filesystem::copy_file(demo / "Zipcode.dat", t.folder / "Data" / "Zipcode.dat");
    std::filesystem::copy_file(demo / "airport.dat", t.folder / "Data" / "airport.dat");
    t.Write("Data/airports.txt", "# home field\nBDL\n");
    t.Started();
    RefDataModule& r = t.program->RefData();
    EXPECT_TRUE(r.Zips().Loaded());
    const auto zip = r.ConsoleFind("zip 06111");
    ASSERT_EQ(zip.size(), 6u);
    EXPECT_EQ(zip[4], "FN31PQ");
    EXPECT_EQ(t.program->Maps().PlaceMark().Text(), "06111");
    const auto airport = r.ConsoleFind("airport bdl");
    ASSERT_EQ(airport.size(), 6u);
    EXPECT_EQ(airport[0].substr(0, 4), "BDL ");
    EXPECT_EQ(airport[3], "Alt 173 ft");
    EXPECT_EQ(t.program->Maps().PlaceMark().Text(), "BDL");
    const AirportTable& table = r.Airports();
    EXPECT_TRUE(table.Entries()[*table.Find("BDL")].marked);
    EXPECT_FALSE(table.Entries()[*table.Find("JFK")].marked);
    ListModel* list = t.program->Lists().Find("ARPL");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->RowCount(), table.Entries().size());
    EXPECT_EQ(r.ConsoleFind("zip 99999"), std::vector<std::string>{"Invalid Zipcode"});
    // The Find dialog answers as typed and shows what was chosen.
    t.dialogs.find = [](FindForm& f) {
        EXPECT_EQ(f.airportText("jfk").substr(0, 5), "JFK  ");
        EXPECT_EQ(f.zipText("00500"), "Unused Zip Code");
        f.zip = "10001";
    };
    t.program->Command(kCmdFind);
    EXPECT_EQ(t.program->Maps().PlaceMark().Text(), "10001");
}

}  // namespace
}  // namespace velmora
