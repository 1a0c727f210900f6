#include "maps/MapList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "geo/Position.h"
#include "maps/MapLoader.h"
#include "support/MapFileBuilder.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::MapFileBuilder;

struct MapFolder {
    MapFolder() : root(test::MakeTempFolder()), files(root.string()) { fs::create_directory(root / "Maps"); }
    ~MapFolder() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    void Write(const std::string& name, const std::string& bytes) {
        fs::create_directories((root / "Maps" / name).parent_path());
        std::ofstream(root / "Maps" / name, std::ios::binary) << bytes;
    }
    // A binary map covering whole degrees.
    void Map(const std::string& name, const std::string& title, double west, double east, double north, double south) {
        MapFileBuilder b;
        b.Title(title).Bounds(LonUnitsFromDegrees(west), LonUnitsFromDegrees(east), LatUnitsFromDegrees(north),
                              LatUnitsFromDegrees(south));
        b.Counts(1, 0).Point(255, 0, LonUnitsFromDegrees(west), LatUnitsFromDegrees(north));
        Write(name, b.Bytes());
    }
    std::string Folder() const { return (root / "Maps").string(); }
    fs::path root;
    DiskFiles files;
};

TEST(MapList, FoldersBecomeSubmenusAndMapsItemsFrom21004) {
    MapFolder f;
    f.Map("World.map", "World", -180, 180, 90, -90);
    f.Map("Region/East.map", "East Coast", -80, -65, 47, 35);
    f.Map("Region/Town/Town.map", "Town", -72.8, -72.5, 41.9, 41.6);
    f.Write("notes.txt", "not a map at all");
    f.Write("Broken.map", "1\n");  // a text map name, but no map
    MapList list;
    const auto entries = list.Scan(f.files, f.Folder());
    ASSERT_TRUE(entries);
    EXPECT_EQ(*entries, 7);  // every file and folder found
    ASSERT_EQ(list.Maps().size(), 3u);
    const auto& menu = list.Menu();
    ASSERT_EQ(menu.size(), 5u);
    EXPECT_TRUE(menu[0].submenu);
    EXPECT_EQ(menu[0].text, "Region");
    EXPECT_EQ(menu[0].id, 21004);
    EXPECT_EQ(menu[1].text, "World");
    EXPECT_EQ(menu[1].parent, -1);
    EXPECT_EQ(menu[2].text, "East Coast");
    EXPECT_EQ(menu[2].parent, 0);
    EXPECT_TRUE(menu[3].submenu);
    EXPECT_EQ(menu[4].text, "Town");
    EXPECT_EQ(menu[4].parent, 3);
    EXPECT_EQ(list.LastCommand(), 21008);
    EXPECT_EQ(list.ForCommand(menu[2].id)->title, "East Coast");
    EXPECT_EQ(list.ForCommand(21004), nullptr);  // a submenu opens nothing
    EXPECT_EQ(list.Find("town.MAP")->title, "Town");
    EXPECT_EQ(list.Find("east coast")->entry.name, "East.map");

    // The best map is the smallest that holds the position; none outside all.
    const auto at = [&](double lat, double lon) {
        const MapDescriptor* d = list.BestFor(LonUnitsFromDegrees(lon), LatUnitsFromDegrees(lat));
        return d ? d->title : std::string("none");
    };
    EXPECT_EQ(at(41.7, -72.6), "Town");
    EXPECT_EQ(at(40.0, -74.0), "East Coast");
    EXPECT_EQ(at(10.0, 10.0), "World");
    EXPECT_EQ(list.Widest()->title, "World");
    EXPECT_FALSE(list.Scan(f.files, f.Folder() + "-missing"));
}

TEST(MapList, ANewColumnAfterEveryTwentyFiveItems) {
    MapFolder f;
    for (int i = 0; i < 30; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "M%02d.map", i);
        f.Map(name, name, -1, 1, 1, -1);
    }
    MapList list;
    ASSERT_TRUE(list.Scan(f.files, f.Folder()));
    ASSERT_EQ(list.Menu().size(), 30u);
    for (size_t i = 0; i < 30; ++i) EXPECT_EQ(list.Menu()[i].newColumn, i == 25) << i;
}

TEST(MapLoader, TextMapsGetRoomForEveryLineAndFailuresLeaveTheOutputAlone) {
    MapFolder f;
    std::string text = "45\n75\n100\n44\n74\n0\n0\nx\n";
    for (int i = 1; i <= 20000; ++i) text += std::to_string(i) + "," + std::to_string(i) + "\n";
    f.Write("Big.map", text + "0,-1\n");
    f.Write("Empty.map", "");
    MapList list;
    ASSERT_TRUE(list.Scan(f.files, f.Folder()));
    ASSERT_EQ(list.Maps().size(), 1u);  // the empty file is no map
    MapLoader loader;
    MapDescriptor d = list.Maps()[0];
    LoadedMap map;
    MapNotices notices;
    ASSERT_EQ(loader.Load(f.files, d, map, notices), MapLoadStatus::kLoaded);
    EXPECT_EQ(map.points.size(), 20000u);  // more than the first capacity of 15000
    EXPECT_EQ(loader.LargestPointCount(), 20000u);
    MapDescriptor gone = d;
    gone.entry.realPath += ".missing";
    LoadedMap kept = map;
    EXPECT_EQ(loader.Load(f.files, gone, kept, notices), MapLoadStatus::kCannotRead);
    EXPECT_EQ(kept.points.size(), 20000u);
}

}  // namespace
}  // namespace velmora
