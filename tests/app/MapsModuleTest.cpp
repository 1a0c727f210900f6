#include "app/MapsModule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "gps/Nmea.h"

#include "app/MenuTable.h"
#include "app/Settings.h"
#include "geo/Position.h"
#include "support/MapFileBuilder.h"
#include "support/TestProgram.h"
#include "platform/fake/RecordingSurface.h"

namespace velmora {
namespace {

using test::MapFileBuilder;
using test::TestProgram;

std::string MapBytes(const std::string& title, double west, double east, double north, double south) {
    MapFileBuilder b;
    b.Title(title).Bounds(LonUnitsFromDegrees(west), LonUnitsFromDegrees(east), LatUnitsFromDegrees(north),
                          LatUnitsFromDegrees(south));
    b.Counts(2, 0).Point(255, 0, LonUnitsFromDegrees(west), LatUnitsFromDegrees(north));
    b.Point(9, 0, LonUnitsFromDegrees(east), LatUnitsFromDegrees(south));
    return b.Bytes();
}

struct MapsProgram : TestProgram {
    MapsProgram() {
        Write("Maps/World.map", MapBytes("World", -180, 180, 90, -90));
        Write("Maps/East.map", MapBytes("East", -80, -65, 47, 35));
    }
    MapsModule& Maps() { return program->Maps(); }
    // The own position in the preferences the program will read.
    bool PlaceOwnStation(double lat, double lon) {
        Preferences p;
        p.SetOwnLatitude(lat);
        p.SetOwnLongitude(lon);
        return p.Save(files);
    }
    MapWindow& Front() { return *maps.front; }
    uint16_t CommandOf(const std::string& title) {
        for (const MapMenuNode& n : maps.menu)
            if (n.text == title) return n.id;
        return 0;
    }
};

TEST(MapsModule, TheFirstWindowShowsTheBestMapForTheOwnPositionOrTheWorld) {
    {
        MapsProgram t;
        t.Started();
        t.RunPosted();
        ASSERT_EQ(t.maps.shown.size(), 1u);
        EXPECT_EQ(t.Front().Title(), "World");  // no own position yet
        EXPECT_EQ(t.maps.menu.size(), 2u);
    }
    {
        MapsProgram t;
        Preferences p;
        p.SetOwnLatitude(41.7);
        p.SetOwnLongitude(-72.7);
        ASSERT_TRUE(p.Save(t.files));
        t.Started();
        t.RunPosted();
        EXPECT_EQ(t.Front().Title(), "East");
        EXPECT_TRUE(t.ui.boxes.empty());
    }
}

TEST(MapsModule, TheMapsMenuLoadsIntoTheFrontWindowOrWithShiftIntoANewOne) {
    MapsProgram t;
    t.Started();
    t.RunPosted();
    MapWindow& first = t.Front();
    ASSERT_TRUE(t.program->Command(t.CommandOf("East")));
    EXPECT_EQ(t.maps.shown.size(), 1u);
    EXPECT_EQ(first.Title(), "East");
    t.ui.shift = true;
    ASSERT_TRUE(t.program->Command(t.CommandOf("World")));
    ASSERT_EQ(t.maps.shown.size(), 2u);
    EXPECT_EQ(t.Front().Title(), "World");
    EXPECT_EQ(first.Title(), "East");
    // With no map window in front, a new one opens.
    t.ui.shift = false;
    t.maps.front = nullptr;
    ASSERT_TRUE(t.program->Command(t.CommandOf("East")));
    EXPECT_EQ(t.maps.shown.size(), 3u);
}

TEST(MapsModule, AMapThatCannotBeReadLeavesTheWindowAsItWas) {
    MapsProgram t;
    t.Started();
    t.RunPosted();
    const GeoRect before = t.Front().View().Requested();
    // The file shrinks to a header and a few records after the scan.
    MapFileBuilder b;
    b.Title("East").Counts(500, 0).Point(255, 0, 1, 1);
    t.Write("Maps/East.map", b.Bytes());
    t.program->Command(t.CommandOf("East"));
    EXPECT_EQ(t.Front().Title(), "World");
    EXPECT_EQ(t.Front().View().Requested().west, before.west);
    ASSERT_EQ(t.ui.boxes.size(), 2u);
    EXPECT_EQ(t.ui.boxes[0].text, "End of File before end of data 10 bytes read, should have been 5000");
    EXPECT_EQ(t.ui.boxes[1].text, "Could not read map file, (out of memory?)");
}

TEST(MapsModule, FileOpenTakesMapFilesByNameOrMagicAndLogsStillImport) {
    MapsProgram t;
    t.Started();
    t.RunPosted();
    t.Write("elsewhere.bin", MapBytes("Elsewhere", 10, 12, 50, 48));
    t.Write("town.map", "45\n75\n100\n44.5\n74.5\n0\n0\nx\n1,1\n2,2\n0,-1\n");
    t.program->OpenFile((t.folder / "elsewhere.bin").string());
    EXPECT_EQ(t.Front().Title(), "Elsewhere");
    t.program->OpenFile((t.folder / "town.map").string());
    EXPECT_EQ(t.Front().Title(), "town.map");
    EXPECT_EQ(t.Front().Map()->points.size(), 2u);
    t.Write("traffic.log", "W1AW>APRS:!4140.35N/07243.55W#\r\n");
    t.program->OpenFile((t.folder / "traffic.log").string());
    EXPECT_NE(t.program->Core().Stations().Lookup("W1AW"), -1);
    EXPECT_EQ(t.Front().Title(), "town.map");
    EXPECT_TRUE(t.ui.boxes.empty());
}

TEST(MapsModule, AMissingMapFolderIsReported) {
    TestProgram t;
    std::filesystem::remove(t.folder / "Maps");
    t.Started();
    ASSERT_FALSE(t.ui.boxes.empty());
    EXPECT_EQ(t.ui.boxes[0].text, "The map folder was not found, please verify installation");
    t.RunPosted();
    ASSERT_EQ(t.maps.shown.size(), 1u);  // an empty map window all the same
    EXPECT_FALSE(t.maps.front->HasMap());
}

TEST(MapsModule, KeysMoveTheViewAndControlHGoesHome) {
    MapsProgram t;
    t.Write("Home.txt", "LAT 41.5\nLON -72.5\nRAD 30\n");
    t.Started();
    t.RunPosted();
    MapWindow& w = t.Front();
    MapsModule& maps = t.Maps();
    const int32_t xd = w.View().XDivide();
    EXPECT_TRUE(maps.Key(w, '+', false, false));
    EXPECT_LT(w.View().XDivide(), xd);
    EXPECT_TRUE(maps.Key(w, '-', false, false));
    const int32_t west = w.View().Requested().west;
    EXPECT_TRUE(maps.Key(w, kKeyArrowRight, false, false));
    EXPECT_GT(w.View().Requested().west, west);
    EXPECT_TRUE(maps.Key(w, '[', false, false));
    EXPECT_EQ(w.View().LabelScaleFactor(), 1);
    EXPECT_TRUE(maps.Key(w, '=', false, false));
    EXPECT_EQ(w.View().LabelScaleFactor(), 0);
    EXPECT_TRUE(maps.Key(w, 'h', true, false));
    const GeoPoint centre = w.View().Centre();
    EXPECT_NEAR(LatDegreesFromUnits(centre.lat), 41.5, 0.5);
    EXPECT_NEAR(LonDegreesFromUnits(centre.lon), -72.5, 0.5);
    EXPECT_TRUE(maps.Key(w, 'H', false, false));
    EXPECT_EQ(w.View().Requested().west, 0);  // the whole world again
    EXPECT_FALSE(maps.Key(w, 'Q', false, false));
    EXPECT_TRUE(maps.Key(w, 'B', false, false));
    EXPECT_TRUE(t.program->IsChecked(kCmdMapBoundaries));
    EXPECT_NE(maps.Scene().boundaries, nullptr);
}

TEST(MapsModule, DisplayOptionsBelongToTheFrontWindowAndUnitsAreKept) {
    MapsProgram t;
    t.Started();
    t.RunPosted();
    EXPECT_TRUE(t.program->IsChecked(kCmdShowMapLabels));
    t.program->Command(kCmdShowMapLabels);
    EXPECT_FALSE(t.Front().Options().labels);
    EXPECT_FALSE(t.program->IsChecked(kCmdShowMapLabels));
    EXPECT_FALSE(t.program->IsChecked(kCmdMetricUnits));
    t.program->Command(kCmdMetricUnits);
    EXPECT_TRUE(t.program->IsChecked(kCmdMetricUnits));
    EXPECT_EQ(t.Front().Units(), DistanceUnits::kMetric);
    Preferences saved;
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(saved.Get("metric_units"), "1");
    EXPECT_EQ(t.program->Lists().Find("WXXL")->Columns()[2].title, "Temp C");  // the weather list follows
    t.maps.imageFile = "/tmp/map.png";
    t.program->Command(kCmdSaveMapImage);
    EXPECT_EQ(t.maps.saved, std::vector<std::string>{"/tmp/map.png"});
}

TEST(MapsModule, DisplayOptionsDialogSetsTheFrontWindowAndWhatNewWindowsShow) {
    MapsProgram t;
    t.Started();
    t.RunPosted();
    MapWindow& first = t.Front();
    // The front window only: the weather stations in a larger font.
    t.dialogs.editDisplay = [](DisplayOptionsForm& f, bool unitsOnly) {
        EXPECT_FALSE(unitsOnly);
        EXPECT_TRUE(f.hasWindow);
        EXPECT_FALSE(f.forNewWindows);
        f.options.filter = StationFilter::kWeather;
        f.options.callSigns = false;
        f.fontSize = 20;
    };
    t.program->Command(kCmdDisplayOptions);
    EXPECT_EQ(first.Options().filter, StationFilter::kWeather);
    EXPECT_EQ(first.FontSize(), 20);
    EXPECT_TRUE(t.program->IsChecked(kCmdWeatherStations));
    EXPECT_FALSE(t.program->IsChecked(kCmdShowCallSigns));
    ASSERT_TRUE(t.program->Maps().NewMapWindow());
    EXPECT_TRUE(t.Front().Options().callSigns);  // a new window as it always was
    EXPECT_EQ(t.Front().FontSize(), 14);
    // Kept for new windows, and across a restart.
    t.dialogs.editDisplay = [](DisplayOptionsForm& f, bool) {
        f.options.icons = false, f.options.placement = 3, f.fontSize = 16, f.forNewWindows = true;
    };
    t.program->Command(kCmdDisplayOptions);
    ASSERT_TRUE(t.program->Maps().NewMapWindow());
    EXPECT_FALSE(t.Front().Options().icons);
    EXPECT_EQ(t.Front().Options().placement, 3);
    EXPECT_EQ(t.Front().FontSize(), 16);
    Preferences saved;
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_FALSE(MapSettingsFrom(saved).newWindows.icons);
    EXPECT_EQ(MapSettingsFrom(saved).fontSize, 16);
    EXPECT_TRUE(MapSettingsFrom(Preferences()).newWindows.icons);  // a record without the choice
    // A font too small is refused in words, and the window keeps its own.
    t.dialogs.editDisplay = [](DisplayOptionsForm& f, bool) { f.fontSize = 3; };
    t.program->Command(kCmdDisplayOptions);
    EXPECT_EQ(t.ui.boxes.back().text, "The station font size must be between 6 and 40");
    EXPECT_EQ(t.Front().FontSize(), 16);
    // Units alone: the windows and the weather list follow.
    t.dialogs.editDisplay = [](DisplayOptionsForm& f, bool unitsOnly) {
        EXPECT_TRUE(unitsOnly);
        f.metric = true;
        f.options.icons = true;  // not the dialog's to change
    };
    t.program->Command(kCmdUnits);
    EXPECT_TRUE(t.program->IsChecked(kCmdMetricUnits));
    EXPECT_EQ(first.Units(), DistanceUnits::kMetric);
    EXPECT_FALSE(t.Front().Options().icons);
    EXPECT_EQ(t.program->Lists().Find("WXXL")->Columns()[2].title, "Temp C");
}

TEST(MapsModule, GridsByMenuAndKeyAndTheUserGridFromItsFile) {
    MapsProgram t;
    t.Started();
    t.RunPosted();
    MapWindow& w = t.Front();
    t.program->Command(kCmdGrid4);
    EXPECT_TRUE(t.program->IsChecked(kCmdGrid4));
    EXPECT_EQ(w.Options().grid, 4);
    t.program->Command(kCmdGrid4);
    EXPECT_EQ(w.Options().grid, 0);
    EXPECT_TRUE(t.Maps().Key(w, 'g', false, false));
    EXPECT_TRUE(t.program->IsChecked(kCmdGridAuto));
    t.Maps().Key(w, 'E', false, false);
    EXPECT_EQ(w.Options().grid, 2);
    t.Maps().Key(w, 'E', false, false);
    t.Maps().Key(w, 'E', false, false);
    EXPECT_EQ(w.Options().grid, 6);
    t.Maps().Key(w, 'U', false, false);
    t.Maps().Key(w, 'C', false, false);
    EXPECT_TRUE(t.program->IsChecked(kCmdUtmZones));
    EXPECT_TRUE(t.program->IsChecked(kCmdCapGrid));
    // The user grid: refused in words without its file, then its points.
    t.program->Command(kCmdUserGrid);
    EXPECT_EQ(t.ui.boxes.back().text, "Invalid User Grid file");
    EXPECT_FALSE(t.program->IsChecked(kCmdUserGrid));
    std::string grd(536, '\0');
    const int32_t fields[6] = {0x41505253, 0x55475244, LonUnitsFromDegrees(-73), LonUnitsFromDegrees(-72),
                               LatUnitsFromDegrees(42), LatUnitsFromDegrees(41)};
    for (size_t f = 0; f < 6; ++f)
        for (size_t i = 0; i < 4; ++i) grd[4 * f + i] = static_cast<char>(static_cast<uint32_t>(fields[f]) >> (8 * i));
    t.Write("UserGrid.GRD", grd);
    t.program->Command(kCmdUserGrid);
    EXPECT_TRUE(t.program->IsChecked(kCmdUserGrid));
    EXPECT_EQ(t.Maps().UserGridPoints().Grid().points.size(), 400u);
    t.program->Command(kCmdUserGrid);
    EXPECT_FALSE(t.program->IsChecked(kCmdUserGrid));
}

TEST(MapsModule, AnOverlayFileOpensOntoTheFrontWindowAndItsList) {
    MapsProgram t;
    t.Started();
    t.RunPosted();
    MapWindow& w = t.Front();
    t.program->Command(kCmdDisplayOverlay);
    EXPECT_EQ(t.ui.boxes.back().text, "Overlay data is currently not loaded\nUse FILE - OPEN to open a *.POS file");
    t.Write("Sites.POS", "# sites\nTOWER1!4903.50N/07201.75W#Water tower\nHILL!4100.00N/07200.00W^Hill\n");
    t.program->OpenFile(t.files.RealPath("Sites.POS"));
    EXPECT_EQ(t.Maps().Overlay().Entries().size(), 2u);
    EXPECT_TRUE(w.Options().overlay);
    EXPECT_TRUE(t.program->IsChecked(kCmdDisplayOverlay));
    ListModel* list = t.program->Lists().Find("OVLL");
    ASSERT_NE(list, nullptr);
    list->RefreshIfDirty();
    ASSERT_EQ(list->RowCount(), 2u);
    EXPECT_EQ(list->Cell(1, 0).text, "HILL");
    EXPECT_EQ(list->Cell(1, 3).text, "Hill");
    t.Maps().Key(w, 'O', false, false);
    EXPECT_FALSE(w.Options().overlay);
    // Another file replaces it, numbered on.
    t.Write("More.pos", "PEAK!4400.00N/07100.00W^\n");
    t.program->OpenFile(t.files.RealPath("More.pos"));
    ASSERT_EQ(t.Maps().Overlay().Entries().size(), 1u);
    EXPECT_EQ(t.Maps().Overlay().Entries()[0].overlayNumber, 2);
}

// "4140.35N/07243.55W" for a position in degrees.
std::string AprsPosition(double lat, double lon) {
    char text[40];
    const double alat = std::fabs(lat), alon = std::fabs(lon);
    std::snprintf(text, sizeof text, "%02d%05.2f%c/%03d%05.2f%c", int(alat), (alat - int(alat)) * 60, lat < 0 ? 'S' : 'N',
                  int(alon), (alon - int(alon)) * 60, lon < 0 ? 'W' : 'E');
    return text;
}

TEST(MapsModule, APolarWindowDrawsStationsAtTheirGreatCircleDistanceAndBearing) {
    MapsProgram t;
    ASSERT_TRUE(t.PlaceOwnStation(41.7147, -72.7272));
    t.Started();
    t.RunPosted();
    t.program->Command(kCmdNewMapPolar);
    MapWindow& w = t.Front();
    ASSERT_TRUE(w.View().Polar());
    EXPECT_EQ(w.Title(), "World");  // the whole globe, about home
    w.Options().icons = false;      // each station a 7-pixel square about its pixel
    struct Far {
        const char* call;
        double lat, lon;
    };
    const Far stations[] = {{"G4ABC", 51.5, -0.12}, {"ZL2XYZ", -41.29, 174.78}, {"KH6QQ", 21.3, -157.86},
                            {"PY2AA", -23.55, -46.63}, {"VK6BB", -31.95, 115.86}};
    for (const Far& f : stations)
        t.program->Core().ProcessReceivedLine(std::string(f.call) + ">APRS:!" + AprsPosition(f.lat, f.lon) + "-",
                                              Liveness::kLive, SourceKind::kVhf);
    RecordingSurface s(w.Width(), w.Height());
    w.DrawOverMap(s, t.Maps().Scene());
    const double kPi = 3.14159265358979323846, lat0 = 41.7147 * kPi / 180, lon0 = -72.7272 * kPi / 180;
    const Point c = w.View().PolarCentrePixel();
    for (const Far& f : stations) {
        SCOPED_TRACE(f.call);
        // Haversine distance and the initial bearing, worked out here.
        const double lat = f.lat * kPi / 180, lon = f.lon * kPi / 180;
        const double h = std::pow(std::sin((lat - lat0) / 2), 2) + std::cos(lat0) * std::cos(lat) * std::pow(std::sin((lon - lon0) / 2), 2);
        const double arc = 2 * std::asin(std::sqrt(h));
        const double bearing = std::atan2(std::sin(lon - lon0) * std::cos(lat),
                                          std::cos(lat0) * std::sin(lat) - std::sin(lat0) * std::cos(lat) * std::cos(lon - lon0));
        const double r = arc * w.View().PolarScale();
        const double ex = c.x + std::sin(bearing) * r, ey = c.y - std::cos(bearing) * r;
        // A square drawn there, within a pixel.
        bool found = false;
        for (const std::string& call : s.calls) {
            int x = 0, y = 0;
            if (std::sscanf(call.c_str(), "rect %d,%d", &x, &y) == 2 && std::fabs(x + 3 - ex) <= 1.0 &&
                std::fabs(y + 3 - ey) <= 1.0)
                found = true;
        }
        EXPECT_TRUE(found) << "expected near " << ex << "," << ey;
    }
    // Kept and brought back as it was.
    w.View().SetPolarZoom(3);
    const MapsModule::Kept k = t.Maps().Keep(w);
    EXPECT_TRUE(k.polar);
    EXPECT_EQ(k.zoom, 3);
    ASSERT_TRUE(t.Maps().RestorePolarWindow(k.mapFile, k.centre, k.zoom));
    EXPECT_TRUE(t.Front().View().Polar());
    EXPECT_EQ(t.Front().View().PolarZoom(), 3);
    EXPECT_EQ(t.Front().View().PolarCentre(), w.View().PolarCentre());
}

TEST(MapsModule, TwoStationsBearingsCrossOnTheMap) {
    MapsProgram t;
    t.Started();
    t.RunPosted();
    ASSERT_TRUE(t.Maps().ViewAt({LonUnitsFromDegrees(-72.5), LatUnitsFromDegrees(41.5)}, kUnitsPerDegree));
    // Two fixed direction finders, west and south of a transmitter near
    // 41.5 N 72.5 W: one hears it due east, the other due north.
    for (const char* line : {"W1DFA>APRS:!4130.00N/07245.00W\\", "W1DFB>APRS:!4115.00N/07230.00W\\",
                             "W1DFA>APRS:%090/8", "W1DFB>APRS:%360/5"})
        t.program->Core().ProcessReceivedLine(line, Liveness::kLive, SourceKind::kVhf);
    ASSERT_EQ(t.program->Core().LastDfLine().drawn.size(), 2u);
    MapWindow& w = t.Front();
    RecordingSurface s(w.Width(), w.Height());
    w.DrawOverMap(s, t.Maps().Scene());
    const Point a = w.View().Project({LonUnitsFromDegrees(-72.75), LatUnitsFromDegrees(41.5)}).pixel;
    const Point b = w.View().Project({LonUnitsFromDegrees(-72.5), LatUnitsFromDegrees(41.25)}).pixel;
    // East from A with a 3-pixel pen (quality 8), north from B with a 2-pixel pen (quality 5).
    const auto drew = [&](Point from, Point to, int width) {
        const std::string want = "line " + std::to_string(from.x) + "," + std::to_string(from.y) + " " +
                                 std::to_string(to.x) + "," + std::to_string(to.y) + " ";
        for (const std::string& c : s.calls)
            if (c.rfind(want, 0) == 0 && c.find(" w" + std::to_string(width)) != std::string::npos) return true;
        return false;
    };
    EXPECT_TRUE(drew(a, {a.x + 1000, a.y}, 3));
    EXPECT_TRUE(drew(b, {b.x, b.y - 1000}, 2));
    // The two lines cross: B's column lies right of A, A's row above B.
    EXPECT_GT(b.x, a.x);
    EXPECT_LT(a.y, b.y);
    const StationRecord& dfb = t.program->Core().Stations().At(t.program->Core().Stations().Lookup("W1DFB"));
    EXPECT_EQ(dfb.dfBearing, 360);
    EXPECT_EQ(dfb.dfQuality, 5);
}

TEST(MapsModule, AViewElsewhereLoadsTheMapThatCoversIt) {
    MapsProgram t;
    t.Started();
    t.RunPosted();
    ASSERT_TRUE(t.Maps().ViewAt({LonUnitsFromDegrees(-72), LatUnitsFromDegrees(42)}, kUnitsPerDegree));
    EXPECT_EQ(t.Front().Title(), "East");
    const GeoRect v = t.Front().View().Requested();
    EXPECT_EQ(int64_t(v.east) - v.west, kUnitsPerDegree);
}

TEST(MapsModule, AMovingMapFollowsTheOwnPosition) {
    MapsProgram t;
    ASSERT_TRUE(t.PlaceOwnStation(41.7, -72.7));
    t.Started();
    t.RunPosted();
    MapWindow& w = t.Front();
    w.SetViewTo({LonUnitsFromDegrees(-79), LonUnitsFromDegrees(-77), LatUnitsFromDegrees(46),
                 LatUnitsFromDegrees(44)});
    t.program->Command(kCmdMovingMaps);
    EXPECT_TRUE(t.program->IsChecked(kCmdMovingMaps));
    const Projected own = w.View().Project({LonUnitsFromDegrees(-72.7), LatUnitsFromDegrees(41.7)});
    EXPECT_NEAR(own.pixel.x, w.View().Width() / 2, 8);
    EXPECT_NEAR(own.pixel.y, w.View().Height() / 2, 8);
    EXPECT_NE(w.Readout().find("Spd:   0  Cse:  N  Alt:   0"), std::string::npos) << w.Readout();
    // Within the minute nothing moves; after it, the map follows again.
    w.View().Pan(2, 0);
    const int32_t west = w.View().Requested().west;
    for (int i = 0; i < 30; ++i) t.Second();
    EXPECT_EQ(w.View().Requested().west, west);
    for (int i = 0; i < 40; ++i) t.Second();
    EXPECT_NE(w.View().Requested().west, west);
}

// With a GPS the moving map follows the GPS, not the position in the settings.
TEST(MapsModule, AMovingMapFollowsTheGps) {
    MapsProgram t;
    ASSERT_TRUE(t.PlaceOwnStation(41.7, -72.7));
    t.Started();
    t.RunPosted();
    MapWindow& w = t.Front();
    t.program->Command(kCmdMovingMaps);
    const std::string rmc = "$GPRMC,120000,A,4200.000,N,07100.000,W,030.0,045.0,081226,,";
    char sum[4];
    std::snprintf(sum, sizeof sum, "%02X", NmeaChecksum(rmc));
    t.program->Core().TakeNmea(rmc + "*" + sum, true, Liveness::kLive);
    for (int i = 0; i < 70; ++i) t.Second();
    EXPECT_EQ(w.GpsText(), "GPS input NOT WORKING");  // a minute without another sentence
    const Projected gps = w.View().Project({LonUnitsFromDegrees(-71.0), LatUnitsFromDegrees(42.0)});
    EXPECT_NEAR(gps.pixel.x, w.View().Width() / 2, 8);
    EXPECT_NEAR(gps.pixel.y, w.View().Height() / 2, 8);
}

TEST(MapsModule, StationsSelectShowTheirInformationAndRedrawOverTheKeptMap) {
    MapsProgram t;
    t.Started();
    t.RunPosted();
    MapWindow& w = t.Front();
    t.program->Core().ProcessReceivedLine("W1AW>APRS:!4140.35N/07243.55W-", Liveness::kLive, SourceKind::kVhf);
    t.program->Core().ProcessReceivedLine("W1OBJ>APRS:;TRUCK    *111111z4141.00N/07244.00Wk", Liveness::kLive,
                                          SourceKind::kVhf);
    ASSERT_TRUE(t.Maps().ViewAt({LonUnitsFromDegrees(-72.7), LatUnitsFromDegrees(41.7)}, kUnitsPerDegree));
    RecordingSurface s(w.Width(), w.Height());
    w.Draw(s, t.Maps().Scene());  // the drawn flags
    const StationTable& st = t.program->Core().Stations();
    const StationIndex aw = st.Lookup("W1AW");
    const Point p = w.View().Project({st.At(aw).lon, st.At(aw).lat}).pixel;
    t.Maps().Click(w, p);
    EXPECT_EQ(w.Selection().selected, aw);
    EXPECT_EQ(t.Maps().SelectedCall(w), "W1AW");
    EXPECT_EQ(t.Maps().StationUnder(w, p), "W1AW  House");
    EXPECT_TRUE(t.Maps().Key(w, 13, false, false));
    EXPECT_EQ(t.maps.infos, std::vector<std::string>{"W1AW"});
    EXPECT_NE(t.Maps().InfoText("W1AW").find("Symbol: /- House"), std::string::npos);
    EXPECT_TRUE(t.Maps().Key(w, 'D', false, false));
    EXPECT_TRUE(w.Options().coverage);
    EXPECT_TRUE(t.program->IsChecked(kCmdCoverageCircles));
    // A trace of an object is refused with a beep.
    const int beeps = t.notices.beeps;
    w.Selection().selected = st.Lookup("TRUCK");
    ASSERT_GE(w.Selection().selected, 0);
    EXPECT_TRUE(t.Maps().Key(w, 'T', false, false));
    EXPECT_EQ(t.notices.beeps, beeps + 1);
    EXPECT_FALSE(w.Selection().trace);
    // A packet redraws the stations but keeps the map picture.
    const uint64_t map = w.MapGeneration(), all = w.Generation();
    t.program->Core().ProcessReceivedLine("W1AW>APRS:!4140.40N/07243.55W-", Liveness::kLive, SourceKind::kVhf);
    EXPECT_GT(w.Generation(), all);
    EXPECT_EQ(w.MapGeneration(), map);
    // The weather filter from the Display menu.
    t.program->Command(kCmdWeatherStations);
    EXPECT_EQ(w.Options().filter, StationFilter::kWeather);
    EXPECT_TRUE(t.program->IsChecked(kCmdWeatherStations));
    EXPECT_FALSE(t.program->IsChecked(kCmdAllStations));
}

TEST(MapsModule, ATrackReplaysPointByPointAndControlHoldsIt) {
    MapsProgram t;
    t.Started();
    t.RunPosted();
    MapWindow& w = t.Front();
    for (int i = 0; i < 4; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "W1MOB>APRS:!4140.%02dN/07240.00W>000/030/A=%06d", 10 * i, 1000 * (i + 1));
        t.program->Core().ProcessReceivedLine(line, Liveness::kLive, SourceKind::kVhf);
    }
    const StationTable& st = t.program->Core().Stations();
    w.Selection().selected = st.Lookup("W1MOB");
    ASSERT_GE(st.At(w.Selection().selected).trackCount, 3);
    t.program->Command(kCmdReplayTrack);
    EXPECT_NE(w.Readout().find("Altitude 1000"), std::string::npos) << w.Readout();
    EXPECT_EQ(w.Selection().replayPoints, 1);
    t.ui.control = true;  // held: the replay waits
    t.RunSingleShots(3);
    EXPECT_EQ(w.Selection().replayPoints, 1);
    t.ui.control = false;
    t.RunSingleShots();
    EXPECT_NE(w.Readout().find("Altitude 4000"), std::string::npos) << w.Readout();
    EXPECT_EQ(w.Selection().replayPoints, -1);  // done: the whole track stays
    EXPECT_TRUE(w.Selection().track);
}


// The right-click menu: a station's actions, an own object's, the empty map's.
TEST(MapsModule, TheRightClickMenuActsOnStationsObjectsAndPlaces) {
    MapsProgram t;
    ASSERT_TRUE(t.PlaceOwnStation(41.7, -72.7));
    t.Started();
    t.RunPosted();
    Program& p = *t.program;
    MapWindow& w = t.Front();
    ASSERT_TRUE(t.Maps().ViewAt({LonUnitsFromDegrees(-72.5), LatUnitsFromDegrees(41.5)}, kUnitsPerDegree));
    p.Core().ProcessReceivedLine("W1AW>APRS:!4130.00N/07230.00W-home", Liveness::kLive, SourceKind::kVhf);
    const auto labels = [](const std::vector<MapMenuItem>& items) {
        std::string out;
        for (const MapMenuItem& i : items) out += i.label + "|";
        return out;
    };
    const auto pixelOf = [&](double lat, double lon) {
        return w.View().Project({LonUnitsFromDegrees(lon), LatUnitsFromDegrees(lat)}).pixel;
    };
    const Point station = pixelOf(41.5, -72.5);
    EXPECT_EQ(labels(t.Maps().MenuAt(w, station)),
              "Information on W1AW|Send Message To W1AW...|Centre|Follow|Show Track|Trace Path|Flag|");
    t.Maps().MenuAction(w, station, MapAction::kFlag);
    EXPECT_EQ(p.Core().Stations().At(p.Core().Stations().Lookup("W1AW")).flagged, 1);
    t.Maps().MenuAction(w, station, MapAction::kFollow);
    EXPECT_EQ(t.Maps().Moving(w).trackedCall, "W1AW");
    EXPECT_NE(labels(t.Maps().MenuAt(w, station)).find("|Stop Following|"), std::string::npos);
    // An empty place: create an object there through the object dialog.
    const Point empty = pixelOf(41.3, -72.3);
    EXPECT_EQ(labels(t.Maps().MenuAt(w, empty)), "Centre Here|Create Object Here...|Set My Position Here...|");
    t.dialogs.editObject = [](ObjectForm& f) {
        f.name = "NET";
        f.symbolTable = '/', f.symbolCode = 'r';
        f.comment = "146.52 simplex";
    };
    t.Maps().MenuAction(w, empty, MapAction::kCreateObjectHere);
    const OwnObjectEntry* net = p.Objects().Store().Find("NET");
    ASSERT_NE(net, nullptr);
    EXPECT_NEAR(LatDegreesFromUnits(net->lat), 41.3, 0.02);  // the clicked point, to a pixel
    EXPECT_NEAR(LonDegreesFromUnits(net->lon), -72.3, 0.02);
    const Point object = w.View().Project({net->lon, net->lat}).pixel;
    EXPECT_NE(labels(t.Maps().MenuAt(w, object)).find("Move Object Here|Edit Object...|Kill Object|"), std::string::npos);
    t.Maps().MenuAction(w, object, MapAction::kKillObject);
    EXPECT_TRUE(p.Objects().Store().Find("NET")->Killed());
    // Set My Position Here asks first; cancelled, nothing changes.
    t.ui.answer = Answer::kCancel;
    t.Maps().MenuAction(w, empty, MapAction::kSetPositionHere);
    EXPECT_NEAR(LatDegreesFromUnits(p.Core().Own().homeLat), 41.7, 1e-6);
    t.ui.answer = Answer::kOk;
    t.Maps().MenuAction(w, empty, MapAction::kSetPositionHere);
    EXPECT_NEAR(LatDegreesFromUnits(p.Core().Own().homeLat), 41.3, 0.02);
    Preferences saved;
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_NEAR(LatDegreesFromUnits(saved.OwnLatUnits()), 41.3, 0.02);
}

}  // namespace
}  // namespace velmora
